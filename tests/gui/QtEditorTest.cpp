// The editor's real-input scenarios on the Qt backend (offscreen).
#include "EditorSuite.h"
#include "contract/QtDriver.h"

namespace scrivlet::testing {
namespace {

const EditorBackend qtBackend{"qt", [] { return std::unique_ptr<contract::EditorDriver>(new contract::QtDriver); },
    [] { return std::unique_ptr<ui::Platform>(new ui::QtPlatform); }};
std::string backendName(const ::testing::TestParamInfo<EditorBackend>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Qt, EditorTest, ::testing::Values(qtBackend), backendName);
INSTANTIATE_TEST_SUITE_P(Qt, EditorStartedWithAFile, ::testing::Values(qtBackend), backendName);

} // namespace
} // namespace scrivlet::testing
