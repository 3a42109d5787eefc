#pragma once

#include <QString>

namespace veskel::test {

// A folder that exists for the whole test run and is removed afterwards; HOME and the XDG
// folders point into it so no test ever touches the real home.
QString sandboxRoot();

} // namespace veskel::test
