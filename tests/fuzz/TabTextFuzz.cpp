// The clipboard's tab-separated text on any text: a block decoded, encoded
// and decoded again must be the very same block, so that cells copied and
// pasted back are the cells that were there.

#include "FuzzCheck.h"

#include "core/TabText.h"

#include <cstddef>
#include <cstdint>

using namespace zeltomir::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TabRows rows = DecodeTabText(text);
    FUZZ_CHECK(rows.isEmpty() == text.isEmpty(), "rows from nothing, or none from a text");
    qsizetype characters = 0;
    for (const QStringList& row : rows) {
        FUZZ_CHECK(!row.isEmpty(), "a row without cells");
        for (const QString& cell : row)
            characters += cell.size();
    }
    FUZZ_CHECK(characters <= text.size(), "cells longer than the text they came from");

    const QString encoded = EncodeTabText(rows);
    FUZZ_CHECK(DecodeTabText(encoded) == rows, "a block encoded and decoded again differs: " + encoded.left(200));
    return 0;
}
