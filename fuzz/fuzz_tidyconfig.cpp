// Tidy configuration files: whatever is read, written again, reads back identical and
// writes the same bytes again.
#include "FuzzSupport.h"

#include "validation/TidyConfigFile.h"
#include "validation/TidyOptionDefaults.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TidyOptionModel model(DefaultTidyOptionTables());
    const TidyConfiguration config = TidyConfiguration::FromBytes(FuzzBytes(data, size));
    for (const TidyConfigEntry &e : config.entries()) {
        FUZZ_CHECK(TidyConfiguration::IsValidOptionName(e.name));
        FUZZ_CHECK(TidyConfiguration::NormalizedValue(e.value) == e.value);
    }
    const QByteArray written = config.toBytes(model);
    const TidyConfiguration reread = TidyConfiguration::FromBytes(written);
    FUZZ_CHECK(reread.comments() == config.comments());
    FUZZ_CHECK(reread.sameAs(config));
    FUZZ_CHECK(reread.toBytes(model) == written);
    return 0;
}
