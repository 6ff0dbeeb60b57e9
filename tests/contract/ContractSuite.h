#pragma once

#include "BackendDriver.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <ostream>

namespace scrivlet::contract {

struct Backend {
    const char* name;
    BackendFactory make;
};
void PrintTo(const Backend& backend, std::ostream* out);

// Each test opens the main window of template 102 with a listening handler.
class ContractTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;
    void fillList(const std::vector<std::string>& rows);

    RecordingDialog main{ids::ListView};
    std::unique_ptr<BackendDriver> driver;
    ui::Window* window = nullptr;
};

} // namespace scrivlet::contract
