#include "contract/registry_contract.h"
#include "fakes/memory_registry.h"

namespace klaxora::testing {

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(RegistryFactory{
                             "Memory", [] { return std::make_unique<MemoryRegistry>(); },
                             L"Software\\KlaxoraTest"}));

}  // namespace klaxora::testing
