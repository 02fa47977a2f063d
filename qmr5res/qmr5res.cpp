#include "qmr5res.h"

namespace {
// We have no home page yet: an address under a domain reserved for examples.
constexpr char kHomePageUrl[] = "https://www.example.com/nubera/";
}  // namespace

extern "C" const char* __stdcall NuberaHpURL(void) { return kHomePageUrl; }
