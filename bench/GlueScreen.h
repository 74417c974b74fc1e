// The benchmarks' full glue screen: a dialog over its 640 x 480 background with six translucent
// panels and ten controls with text, drawn with the PalCs folder's art. The background and the
// panels lie in a temporary user folder; the control frames are the bundled ones.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "BusyDialog.h"
#include "document/DialogDocument.h"
#include "preview/ArtCache.h"
#include "preview/ArtScreen.h"
#include "support/ArtBuilder.h"

namespace tarrox::bench {

struct GlueScreen {
    std::filesystem::path Folder =
        std::filesystem::temp_directory_path() / ("tarrox-glue-" + std::to_string(::getpid()));
    std::unique_ptr<DialogDocument> Doc = std::make_unique<DialogDocument>();
    ArtChoice Choice{"PalCs"};

    GlueScreen() {
        Store("glue/palcs/backgnd.pcx", Picture(640, 480));
        Add(0, 0, 0, 640, 480, "", 0x8);
        for (int i = 0; i < 6; ++i) {
            const std::string name = "glue/campaign/p" + std::to_string(i) + ".pcx";
            Store(name, Picture(200, 150));
            Add(5, (i % 3) * 210 + 10, (i / 3) * 160 + 10, 200, 150, name, 0x40008);
        }
        static constexpr int32_t Types[] = {1, 2, 2, 3, 3, 4, 6, 12, 13, 14};
        for (int i = 0; i < 10; ++i)
            Add(Types[i], (i % 2) * 320 + 20, 340 + (i / 2) * 26, 150, 22,
                "\x03"
                "Control \x04" +
                    std::to_string(i),
                0x8);
    }
    ~GlueScreen() { std::filesystem::remove_all(Folder); }

    DataFolders Folders() const { return {Folder.string(), DataDir}; }

  private:
    // Painted-looking: slow gradients, a few runs a line, index 0 and the darkest entry at the
    // edges as the game's panels have them.
    static std::vector<uint8_t> Picture(int w, int h) {
        std::vector<uint8_t> pixels(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels[size_t(y) * size_t(w) + size_t(x)] =
                    x < 4 || y < 4 ? uint8_t(x % 2 ? 0 : 254) : uint8_t((x / 6 + y / 9) % 200 + 1);
        return test::EncodePcx(w, h, pixels, test::TestPalette());
    }
    void Store(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::filesystem::path path = Folder / "art" / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void Add(int32_t type, int x, int y, int w, int h, const std::string& text, int32_t flags) {
        const int32_t i = Doc->ObjectCount++;
        DialogObject& o = Doc->ObjectTable[size_t(i)];
        o.ControlType = type, o.Flags = flags, o.Text = i, o.SmkLink = -1;
        o.Left = int16_t(x), o.Top = int16_t(y), o.Width = int16_t(w), o.Height = int16_t(h);
        o.Right = int16_t(x + w - 1), o.Bottom = int16_t(y + h - 1);
        std::string shown = text;
        std::replace(shown.begin(), shown.end(), '/', '\\');
        Doc->StringTable[size_t(i)] = shown;
        Doc->StringCount = Doc->ObjectCount;
    }
};

} // namespace tarrox::bench
