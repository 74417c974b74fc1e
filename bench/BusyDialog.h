// The benchmarks' busy dialog: 128 objects of every drawn type, each with formatted text.
#pragma once

#include <memory>
#include <string>

#include "document/DialogDocument.h"

namespace tarrox::bench {

inline const std::string DataDir = std::string(TARROX_SOURCE_DIR) + "/data";

inline std::unique_ptr<DialogDocument> BusyDialog() {
    auto d = std::make_unique<DialogDocument>();
    d->ObjectCount = MaxObjects;
    d->StringCount = MaxObjects;
    static constexpr int32_t Types[] = {1, 2, 3, 4, 9, 10, 11, 13, 14, 5, 6, 8, 12};
    for (int i = 0; i < MaxObjects; ++i) {
        DialogObject& o = d->ObjectTable[i];
        o.ControlType = i == 0 ? 0 : Types[i % 13];
        o.Left = int16_t(i == 0 ? 0 : (i % 4) * 158 + 4);
        o.Top = int16_t(i == 0 ? 0 : (i / 4) * 15);
        o.Width = int16_t(i == 0 ? 640 : 150);
        o.Height = int16_t(i == 0 ? 480 : 14);
        o.Right = int16_t(o.Left + o.Width - 1);
        o.Bottom = int16_t(o.Top + o.Height - 1);
        o.Flags = int32_t(1u << (21 + i % 2)) | (i % 3 == 0 ? 1 << 10 : 0) | 0x8; // visible
        o.Text = i;
        o.SmkLink = -1;
        d->StringTable[i] = "\x03Object \x04" + std::to_string(i) +
                            " \x06with \x02"
                            "codes\x01!";
    }
    return d;
}

} // namespace tarrox::bench
