@echo off
rem Runs CHRONYX's conformance tests on the CHRONYX.dll beside this script,
rem with the reference HOSTRUN.dll beside it too. The last line counts what
rem passed and what failed; the exit code is 0 only when nothing failed.
setlocal
cd /d "%~dp0"
chronyx-tests.exe --gtest_brief=1 %*
set status=%errorlevel%
rem 0 and 1 are the program's own answers; anything else means it stopped
rem before it could count, and the count line says so rather than nothing.
if %status% equ 0 exit /b 0
if %status% equ 1 exit /b 1
echo chronyx-tests.exe stopped before its count (exit code %status%)
echo 0 passed, 1 failed
exit /b %status%
