#pragma once
// One contract for every registry implementation: the in-memory fake natively, the real
// registry under Wine. Each test tree instantiates the suite with its own factory.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ports/registry.h"

namespace klaxora::testing {

struct RegistryFactory {
    std::string name;
    std::function<std::unique_ptr<RegistryPort>()> make;
    // A scratch key the tests may create and delete.
    std::wstring scratchKey;
};

inline std::ostream& operator<<(std::ostream& os, const RegistryFactory& f) {
    return os << f.name;
}

class RegistryContract : public ::testing::TestWithParam<RegistryFactory> {
  protected:
    void SetUp() override {
        registry = GetParam().make();
        base = GetParam().scratchKey;
        registry->DeleteTree(base);
    }
    void TearDown() override { registry->DeleteTree(base); }

    std::unique_ptr<RegistryPort> registry;
    std::wstring base;
};

}  // namespace klaxora::testing
