#pragma once

#include "host/Text.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// A fuzzer's input read as what the parsers receive.
//
// As pages: the input is cut at NUL bytes (which no saved page holds) into the title page
// and the pages a run asks for after it, each decoded as the site's pages are (UTF-8, else
// Latin-1). A seed of one saved page is then the title page alone.
//
// As a controlled text: the first bytes steer the run (which markers, which positions), the
// rest is the text, decoded as a page or, when the first byte is odd, taken as raw UTF-16
// so that every code unit, lone surrogates included, reaches the searches.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size);

    QString wholePage() const;
    // The page at `index` (0 is the title page); null when the input has no such piece or
    // the piece is empty, as a request without a body gives.
    Text pageAt(qsizetype index) const;

    static constexpr qsizetype controlBytes = 8;
    // Control byte `index` (0 when the input is shorter).
    quint8 control(qsizetype index) const;
    QString controlledText() const;

    // A marker for control value `pick`: one of the parsers' own markers, or a piece of the
    // text (so that it occurs), in another letter case when `pick` is odd.
    static QString marker(quint8 pick, const QString &text);

private:
    QByteArray m_bytes;
    QList<QByteArray> m_pieces;
};
