// The contract suite on the Qt backend, driven with real input (QtDriver.h).
#include "ContractSuite.h"
#include "QtDriver.h"

#include <QApplication>

namespace scrivlet::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Qt, ContractTest,
    ::testing::Values(Backend{"qt", [] { return std::unique_ptr<BackendDriver>(new QtDriver); }}),
    [](const ::testing::TestParamInfo<Backend>& info) { return std::string(info.param.name); });

} // namespace
} // namespace scrivlet::contract

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
