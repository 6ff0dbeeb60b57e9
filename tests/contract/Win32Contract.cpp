// The contract suite on the Win32 backend, driven with real input (Win32Driver.h).
#include "ContractSuite.h"
#include "Win32Driver.h"

namespace scrivlet::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, ContractTest,
    ::testing::Values(Backend{"win32", [] { return std::unique_ptr<BackendDriver>(new Win32Driver); }}),
    [](const ::testing::TestParamInfo<Backend>& info) { return std::string(info.param.name); });

} // namespace
} // namespace scrivlet::contract
