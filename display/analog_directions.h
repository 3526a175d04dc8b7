// The dial's directions: the cosine and sine of v * step - 1.57 for every
// value a face of the local time uses, hours 0 to 12 with the hour step and
// minutes and seconds 0 to 59 with the minute step. Fixed here rather than
// worked out on the machine: the C library's sine and cosine may run on the
// x87 unit under whatever precision and rounding the host left it in. Each
// entry is the nearest double to the exact value, and the tests check every
// one, bit for bit, against the C library of each build.
#pragma once

#include <cstdint>

// The dial's steps are these decimals, not exact fractions of a turn: faces
// drawn before must keep drawing to the same pixels.
constexpr double kHourStep = 0.523;
constexpr double kMinuteStep = 0.104;
constexpr double kQuarterTurn = 1.57;

struct Direction {
    double cosine;
    double sine;
};

constexpr int32_t kHourDirections = 13;
constexpr int32_t kMinuteDirections = 60;

inline constexpr Direction kHourDirectionTable[kHourDirections] = {
    {0x1.a181296fadbfbp-11, -0x1.fffff55c67bb1p-1}, // 0
    {0x1.00166c4f99641p-1, -0x1.bb5abb986f427p-1},  // 1
    {0x1.bb4d60c11aaddp-1, -0x1.002d89d34b395p-1},  // 2
    {0x1.ffffef390876cp-1, -0x1.0624da5218c66p-10}, // 3
    {0x1.bbd05060058e4p-1, 0x1.fe94df8bb4055p-2},   // 4
    {0x1.00f94a0eb732bp-1, 0x1.bad7639807f28p-1},   // 5
    {0x1.6e8508f63bbfcp-9, 0x1.ffff7ccfc480dp-1},   // 6
    {-0x1.fcfc7a7f1771bp-2, 0x1.bc45874d1202fp-1},  // 7
    {-0x1.ba6108c90f4efp-1, 0x1.01c4d3f27764bp-1},  // 8
    {-0x1.fffe9e20b40b1p-1, 0x1.2cfbaba0a815p-8},   // 9
    {-0x1.bcba6046cb098p-1, -0x1.fb63a9cfba20ap-2}, // 10
    {-0x1.0290275380ee8p-1, -0x1.b9ea506d3813fp-1}, // 11
    {-0x1.a2b4932003954p-8, -0x1.fffd532c062cep-1}, // 12
};

inline constexpr Direction kMinuteDirectionTable[kMinuteDirections] = {
    {0x1.a181296fadbfbp-11, -0x1.fffff55c67bb1p-1}, // 0
    {0x1.ac75e39290d85p-4, -0x1.fd30eca555edfp-1},  // 1
    {0x1.a883bcd2bb898p-3, -0x1.f4e14371aed1cp-1},  // 2
    {0x1.3b1b1395a3baep-2, -0x1.e727f7b82d846p-1},  // 3
    {0x1.9e8c934297b8cp-2, -0x1.d42b00a85d5ddp-1},  // 4
    {0x1.fd8343c886923p-2, -0x1.bc1ee5a36f2c1p-1},  // 5
    {0x1.2b7c3804431a4p-1, -0x1.9f462ceb605p-1},    // 6
    {0x1.54fa4f16c96d8p-1, -0x1.7df0a39a7432p-1},   // 7
    {0x1.7ac91e2556877p-1, -0x1.587a80e01c34bp-1},  // 8
    {0x1.9c800db80590ap-1, -0x1.2f4b66e60592cp-1},  // 9
    {0x1.b9c1d92d3ca76p-1, -0x1.02d5441f065cdp-1},  // 10
    {0x1.d23d90be04447p-1, -0x1.a726303208951p-2},  // 11
    {0x1.e5af79653ead4p-1, -0x1.440f3e737ef2ep-2},  // 12
    {0x1.f3e1c83e577e7p-1, -0x1.baefa44f3a6adp-3},  // 13
    {0x1.fcad37551437fp-1, -0x1.d1eee9e28af5fp-4},  // 14
    {0x1.fff9724ad97aap-1, -0x1.47acae915e88cp-7},  // 15
    {0x1.fdbd59a4d64dap-1, 0x1.80750d941d333p-4},   // 16
    {0x1.f5ff1c08e3dc4p-1, 0x1.92dc106deb8cbp-3},   // 17
    {0x1.e8d42523484d6p-1, 0x1.309190b39cfb9p-2},   // 18
    {0x1.d660e264acabcp-1, 0x1.946a8a16ef61bp-2},   // 19
    {0x1.bed85e3c34499p-1, 0x1.f3e4bc780dba3p-2},   // 20
    {0x1.a27bb2e47cfc8p-1, 0x1.26fc0375650d1p-1},   // 21
    {0x1.8199564a254c5p-1, 0x1.50d59d17988c4p-1},   // 22
    {0x1.5c8c40fe12d3bp-1, 0x1.770b6504dd3b6p-1},   // 23
    {0x1.33baf28bede76p-1, 0x1.9933a6e89034dp-1},   // 24
    {0x1.079655ed055ap-1, 0x1.b6efe4a2eaf62p-1},    // 25
    {0x1.b131125009eb8p-2, 0x1.cfeddbb09a041p-1},   // 26
    {0x1.4e8716fb4e104p-2, 0x1.e3e868bb0899cp-1},   // 27
    {0x1.d07f5723c2254p-3, 0x1.f2a846dbd9199p-1},   // 28
    {0x1.fdd707aea9516p-4, 0x1.fc04a8826da6bp-1},   // 29
    {0x1.54b3d455c66acp-6, 0x1.ffe3a85487b68p-1},   // 30
    {-0x1.5468bec664aa7p-4, 0x1.fe3a90d1baf2ep-1},  // 31
    {-0x1.7d285ea726602p-3, 0x1.f70df9f385279p-1},  // 32
    {-0x1.25fef744157bp-2, 0x1.ea71bc781695ap-1},   // 33
    {-0x1.8a3c6fa56dc52p-2, 0x1.d888bafaf260dp-1},  // 34
    {-0x1.ea374a8b8e218p-2, 0x1.c184817349e5p-1},   // 35
    {-0x1.2273018f5408ap-1, 0x1.a5a4bc230caa8p-1},  // 36
    {-0x1.4ca6de11aa06fp-1, 0x1.85368771db10ep-1},  // 37
    {-0x1.73427afc218a8p-1, 0x1.60939a9b25253p-1},  // 38
    {-0x1.95db0a44cf525p-1, 0x1.38214f7d967d8p-1},  // 39
    {-0x1.b410d71f90ddap-1, 0x1.0c4f8a3a66c23p-1},  // 40
    {-0x1.cd904ec11579fp-1, 0x1.bb2f075864045p-2},  // 41
    {-0x1.e212e79173dcbp-1, 0x1.58f4f41b4b4a8p-2},  // 42
    {-0x1.f15fe44eb672ep-1, 0x1.e6012dbede9cdp-3},  // 43
    {-0x1.fb4cf1038c12ap-1, 0x1.14d7f77200f22p-3},  // 44
    {-0x1.ffbe981fe3a05p-1, 0x1.02c3936802665p-5},  // 45
    {-0x1.fea88e6f83512p-1, -0x1.285247a361e6dp-4}, // 46
    {-0x1.f80dd51c767abp-1, -0x1.67694d45842b1p-3}, // 47
    {-0x1.ec00b15f3c74cp-1, -0x1.1b63980a58ed7p-2}, // 48
    {-0x1.daa279f3b6f32p-1, -0x1.800291b1b20f5p-2}, // 49
    {-0x1.c4233adeaa7eep-1, -0x1.e07b37efd9f61p-2}, // 50
    {-0x1.a8c13082f52bap-1, -0x1.1de154f6d1cfdp-1}, // 51
    {-0x1.88c81b762f45fp-1, -0x1.486e31f841c33p-1}, // 52
    {-0x1.64906ef100279p-1, -0x1.6f6e7cf4865c5p-1}, // 53
    {-0x1.3c7e5c1ee2268p-1, -0x1.9276515c499e3p-1}, // 54
    {-0x1.1100bcf23da83p-1, -0x1.b124c69222db8p-1}, // 55
    {-0x1.c51fc2f73f9e4p-2, -0x1.cb24fc012bb45p-1}, // 56
    {-0x1.63588628c9p-2, -0x1.e02f03eaf985bp-1},    // 57
    {-0x1.fb7483d64f8bbp-3, -0x1.f008aa636afb6p-1}, // 58
    {-0x1.2abc2848a30e7p-3, -0x1.fa861653d1d66p-1}, // 59
};
