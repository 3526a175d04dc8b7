#include "tests/wine/x86/stack_probe.h"

// cdecl (routine, args, count, result): pushes args[count-1] .. args[0], calls,
// stores EAX in *result and answers ESP after the call minus ESP after the
// pushes. ESP is put back from EDI, which the callee must preserve.
asm(R"(
    .text
    .globl _StackBytesRemoved
_StackBytesRemoved:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %edi
    movl %ecx, %ebx
    shll $2, %ebx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl 20(%ebp), %ecx
    movl %eax, (%ecx)
    movl %esp, %eax
    subl %edi, %eax
    addl %ebx, %eax
    movl %edi, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");
