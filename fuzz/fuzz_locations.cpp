// The locations window's page walk over any page: every entry names a location.

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"
#include "windows/LocationsPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString page = input.wholePage();
    const auto locations = locationsFromPage(page);
    fuzzCheck(locations.has_value() == page.contains(u"<dt>"), "locations page recognised");
    if (locations) {
        for (const FilmingLocation &location : *locations)
            fuzzCheck(!location.location.isEmpty(), "an entry names its location");
    }
    return 0;
}
