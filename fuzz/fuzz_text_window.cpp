// The text window's four page walks (goofs, quotes, soundtrack, trivia) over any page: each
// gives text whose styled runs cover it exactly, without any of the style markers left in.

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"
#include "windows/TextPages.h"

namespace {

void checkStyled(const StyledText &styled)
{
    qsizetype covered = 0;
    for (const StyledRun &run : styled.runs()) {
        fuzzCheck(run.start == covered && run.length > 0, "runs follow each other");
        covered += run.length;
    }
    fuzzCheck(covered == styled.text().size(), "runs cover the text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString page = input.wholePage();
    if (const std::optional<StyledText> goofs = goofsFromPage(page))
        checkStyled(*goofs);
    const StyledText quotes = quotesFromPage(page);
    checkStyled(quotes);
    // The page's own text may spell a marker out, directly or through character references.
    if (!page.contains(u"KAVOR") && !page.contains(u'&'))
        fuzzCheck(!quotes.text().contains(u"[KAVOR_"), "no style marker left in the quotes");
    checkStyled(soundtrackFromPage(page));
    checkStyled(triviaFromPage(page));
    return 0;
}
