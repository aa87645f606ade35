#include "tests/resources/velquor_exe.h"

#include <algorithm>

// The build passes the executable's path on the build machine (a Unix path); under Wine that file is
// reached through drive Z:, which maps to the Unix root.
std::string VelquorExePath() {
    std::string path = "Z:" VELQUOR_EXE;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
