// The cursor over any text: a walk of scans, captures and moves steered by the input gives
// the same positions and captures with and without the page's search shadow, and the same as
// the cursor's rules applied one position after the other.

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzProcess.h"
#include "fuzz/ReferenceSearch.h"
#include "platform/Cursor.h"
#include "platform/SearchShadow.h"

#include <memory>
#include <optional>

namespace {

// The cursor's rules, written out: skip white space, find the marker ignoring case, stop at
// it or at the end.
class ReferenceCursor
{
public:
    explicit ReferenceCursor(const QString &text) : m_text(text) {}

    std::optional<QString> captureUpTo(const QString &marker)
    {
        qsizetype start = m_position;
        while (start < m_text.size() && platform::isWhiteSpaceOrNewline(m_text[start]))
            ++start;
        qsizetype found = reference::find(m_text, marker, start, true);
        if (found < 0)
            found = m_text.size();
        m_position = found;
        if (found <= start)
            return std::nullopt;
        return m_text.mid(start, found - start);
    }
    void advance(qsizetype count)
    {
        if (count > 0)
            m_position = std::min(m_text.size(), m_position + count);
    }
    qsizetype position() const { return m_position; }

private:
    const QString &m_text;
    qsizetype m_position = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString text = input.controlledText();
    platform::Cursor plain(text);
    platform::Cursor shadowed(text, std::make_shared<const platform::SearchShadow>(text));
    ReferenceCursor expected(text);

    // Each control byte is one step: a scan or a capture up to a marker, or a move.
    for (qsizetype step = 1; step < FuzzInput::controlBytes; ++step) {
        const quint8 control = input.control(step);
        switch (control % 4) {
        case 0:
        case 1: {
            const QString marker = FuzzInput::marker(control / 4, text);
            const std::optional<QString> want = expected.captureUpTo(marker);
            const std::optional<QString> got = plain.captureUpTo(marker);
            fuzzCheck(got == want, "capture");
            if (control % 4 == 0)
                fuzzCheck(shadowed.captureUpTo(marker) == want, "capture with shadow");
            else
                fuzzCheck(shadowed.scanUpTo(marker) == want.has_value(), "scan with shadow");
            break;
        }
        case 2:
            expected.advance(control / 4);
            plain.advance(control / 4);
            shadowed.advance(control / 4);
            break;
        case 3:
            fuzzCheck(plain.atEnd() == shadowed.atEnd(), "at end");
            break;
        }
        fuzzCheck(plain.position() == expected.position(), "position");
        fuzzCheck(shadowed.position() == expected.position(), "position with shadow");
        fuzzCheck(plain.position() >= 0 && plain.position() <= text.size(), "position in text");
    }
    plain.setPosition(-5);
    fuzzCheck(plain.position() == 0, "position clamped at the start");
    plain.setPosition(text.size() + 5);
    fuzzCheck(plain.position() == text.size() && plain.atEnd(), "position clamped at the end");
    return 0;
}
