// A module's version as its version resource states it: what Windows' file
// properties show, and what tells two builds of CHRONYX.dll apart.
#pragma once

#include <string>

// "1.0.0" (with a fourth part only when it is not 0), from the resource's
// fixed file information; empty when the file carries no version resource.
std::string ReadModuleVersion(const std::string& path);
