// plinkety-assetgen OUTDIR
// Writes every clip, picture, icon and text that Plinkety carries, the same
// bytes on every run: OUTDIR/clips, OUTDIR/pictures, OUTDIR/icons, OUTDIR/strings.
#include "BubblePictures.h"
#include "Clips.h"
#include "IconFiles.h"
#include "IconSvg.h"
#include "WaveFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path &path, const std::vector<std::uint8_t> &bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void writeText(const fs::path &path, std::string_view text)
{
    writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void writeClips(const fs::path &dir)
{
    writeFile(dir / "101.wav", waveImage(Clips::pop101(), 8, true));
    writeFile(dir / "102.wav", waveImage(Clips::ruffle102(), 8, true));
    writeFile(dir / "103.wav", waveImage(Clips::pop103(), 8, true));
    writeFile(dir / "104.wav", waveImage(Clips::pop104(), 8, true));
    writeFile(dir / "105.wav", waveImage(Clips::pop105(), 8, false));
    writeFile(dir / "106.wav", waveImage(Clips::blip106(), 8, true));
    writeFile(dir / "107.wav", waveImage(Clips::grunt107(), 16, true));
    writeFile(dir / "108.wav", waveImage(Clips::cheer108(), 8, true));
}

// Each picture at scale 1 and, named the way Qt looks for them, at 2 and 3.
void writePictures(const fs::path &dir)
{
    for (int scale : {1, 2, 3}) {
        const std::string suffix = scale == 1 ? ".bmp" : "@" + std::to_string(scale) + "x.bmp";
        writeFile(dir / ("unpopped" + suffix), BubblePictures::unpopped(scale));
        for (int variant = 0; variant < 4; ++variant)
            writeFile(dir / ("popped" + std::to_string(variant) + suffix), BubblePictures::popped(variant, scale));
    }
}

void writeIcons(const fs::path &dir)
{
    using namespace IconArtwork;
    writeFile(dir / "plinkety.ico", IconFiles::ico({{starburst, 4}}));
    // The sizes a desktop's hicolor theme looks for, each drawn at its size.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string box = std::to_string(size) + "x" + std::to_string(size);
        writeFile(dir / "hicolor" / box / "plinkety.png", IconFiles::png(starburst, size));
    }
    writeText(dir / "hicolor" / "scalable" / "plinkety.svg", IconSvg::starburst());
    const auto redOnWhite = [](double x, double y) { return questionDisc(x, y, Red, White, Grey); };
    const auto blackOnWhite = [](double x, double y) { return questionDisc(x, y, Black, White, Black); };
    const auto whiteOnGreen = [](double x, double y) { return questionDisc(x, y, White, Green, Black); };
    writeFile(dir / "about.ico", IconFiles::ico({{redOnWhite, 4}, {blackOnWhite, 1}, {whiteOnGreen, 4}}));
    // Its colour image drawn at twice and three times the size, for screens
    // with that many device pixels to a pixel.
    writeFile(dir / "about@2x.png", IconFiles::png(redOnWhite, 2 * kSize));
    writeFile(dir / "about@3x.png", IconFiles::png(redOnWhite, 3 * kSize));
}

// The About window's two paragraphs.
void writeStrings(const fs::path &dir)
{
    writeText(dir / "101.txt",
              "Plinkety was made in 1999 by Veltrano Computing Services and is free to use and to share "
              "with anyone who needs a moment of stress relief.");
    writeText(dir / "103.txt",
              "For more details, write to Veltrano Computing Services or visit our web site.");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: plinkety-assetgen OUTDIR\n";
        return 2;
    }
    try {
        const fs::path out(argv[1]);
        writeClips(out / "clips");
        writePictures(out / "pictures");
        writeIcons(out / "icons");
        writeStrings(out / "strings");
    } catch (const std::exception &e) {
        std::cerr << "plinkety-assetgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
