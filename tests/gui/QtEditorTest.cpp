// The editor's real-input scenarios on the Qt backend (offscreen).
#include "EditorSuite.h"
#include "contract/QtDriver.h"

namespace scrivlet::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Qt, EditorTest,
    ::testing::Values(EditorBackend{"qt", [] { return std::unique_ptr<contract::EditorDriver>(new contract::QtDriver); },
        [] { return std::unique_ptr<ui::Platform>(new ui::QtPlatform); }}),
    [](const ::testing::TestParamInfo<EditorBackend>& info) { return std::string(info.param.name); });

} // namespace
} // namespace scrivlet::testing
