// The test programs find the source tree and the built tools through these
// variables; a run started by hand or by ctest's discovered tests gets the
// build's own values where the caller set none.
#include <cstdlib>
#include <string>

namespace {

#ifdef _WIN32
int setenv(const char* name, const char* value, int overwrite)
{
    return !overwrite && std::getenv(name) ? 0 : _putenv((std::string(name) + '=' + value).c_str());
}
#endif

struct DefaultTestEnvironment {
    DefaultTestEnvironment()
    {
        setenv("HB_APP", HB_DEFAULT_APP, 0);
        setenv("HB_CODE_TOOL", HB_DEFAULT_CODE_TOOL, 0);
        setenv("HB_SOURCE_DIR", HB_DEFAULT_SOURCE_DIR, 0);
        setenv("HB_BUILD_DIR", HB_DEFAULT_BUILD_DIR, 0);
        setenv("HB_TEST_DATA", HB_DEFAULT_TEST_DATA, 0);
    }
} const defaultTestEnvironment;

} // namespace
