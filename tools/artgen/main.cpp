// artgen: turns a text art file into an RGBA PNG.
//
//   artgen [--scale N] INPUT.art OUTPUT.png     (N: each pixel as an N x N square)
//   artgen --text FONT.png "some text" OUTPUT.png   (font preview)
#include "ArtCompiler.h"
#include "PngFile.h"
#include "TextRenderer.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

using namespace artgen;

static int usage()
{
    std::fprintf(stderr, "usage: artgen [--scale N] INPUT.art OUTPUT.png\n"
                         "       artgen --text FONT.png TEXT OUTPUT.png\n");
    return 2;
}

static int previewText(const std::string& fontPath, const std::string& text, const std::string& outPath)
{
    Image font;
    std::string error;
    if (!readPng(fontPath, font, error)) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
    }
    // Backslash-n in the argument starts a new line.
    std::string unescaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            unescaped += '\n';
            ++i;
        } else {
            unescaped += text[i];
        }
    }
    Image out = renderText(font, FontLayout{}, unescaped, Rgba{230, 236, 220, 255}, Rgba{24, 27, 26, 255});
    if (!writePng(outPath, out, error)) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--text")
        return previewText(argv[2], argv[3], argv[4]);
    int scale = 1;
    if (argc == 5 && std::string(argv[1]) == "--scale") {
        scale = std::atoi(argv[2]);
        if (scale < 1 || scale > 64)
            return usage();
        argv += 2;
        argc -= 2;
    }
    if (argc != 3)
        return usage();

    const std::string input = argv[1];
    const std::string output = argv[2];
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "artgen: cannot read %s\n", input.c_str());
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();

    ArtResult result = ArtCompiler{}.compile(text.str(), input);
    for (const auto& d : result.errors)
        std::fprintf(stderr, "%s\n", d.text().c_str());
    if (!result.ok()) {
        // No half-right PNG is left behind, so the next build tries again.
        std::remove(output.c_str());
        return 1;
    }
    std::string error;
    const Image image = scale == 1 ? result.image : enlarged(result.image, scale);
    if (!writePng(output, image, error)) {
        std::fprintf(stderr, "artgen: %s: %s\n", output.c_str(), error.c_str());
        std::remove(output.c_str());
        return 1;
    }
    return 0;
}
