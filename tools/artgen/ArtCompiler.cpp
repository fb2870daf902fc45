#include "ArtCompiler.h"

#include "Painter.h"

#include <charconv>

namespace artgen {

namespace {

std::string_view stripComment(std::string_view line)
{
    auto hash = line.find('#');
    if (hash != std::string_view::npos)
        line = line.substr(0, hash);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string quoted(std::string_view word)
{
    return "'" + std::string(word) + "'";
}

} // namespace

ArtResult ArtCompiler::compile(std::string_view source, const std::string& fileName)
{
    file_ = fileName;
    line_ = 0;
    result_ = ArtResult{};
    palette_ = Palette{};
    block_.reset();

    std::size_t pos = 0;
    while (pos <= source.size()) {
        auto newline = source.find('\n', pos);
        if (newline == std::string_view::npos)
            newline = source.size();
        std::string_view raw = source.substr(pos, newline - pos);
        pos = newline + 1;
        ++line_;

        std::string_view text = stripComment(raw);
        auto words = splitWords(text);
        if (words.empty())
            continue;
        if (block_) {
            if (words.size() == 1 && words[0] == "end")
                block_.reset();
            else
                blockRow(text);
            continue;
        }
        directive(words);
    }

    if (block_) {
        int opened = block_->startLine;
        block_.reset();
        error("block opened on line " + std::to_string(opened) + " has no 'end'");
    }
    if (result_.image.empty())
        error("no 'image WIDTH HEIGHT' line");
    return std::move(result_);
}

void ArtCompiler::error(std::string message)
{
    result_.errors.push_back(Diagnostic{file_, line_, std::move(message)});
}

bool ArtCompiler::needImage(std::string_view what)
{
    if (!result_.image.empty())
        return true;
    error(std::string(what) + " before the 'image' line");
    return false;
}

bool ArtCompiler::argCount(const std::vector<std::string_view>& words, std::size_t min, std::size_t max)
{
    std::size_t args = words.size() - 1;
    if (args >= min && args <= max)
        return true;
    std::string expected = min == max ? std::to_string(min) : std::to_string(min) + " to " + std::to_string(max);
    error(quoted(words[0]) + " takes " + expected + " values, got " + std::to_string(args));
    return false;
}

std::optional<int> ArtCompiler::integer(std::string_view word)
{
    int value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size()) {
        error("expected a whole number, got " + quoted(word));
        return std::nullopt;
    }
    return value;
}

std::optional<double> ArtCompiler::number(std::string_view word)
{
    double value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size()) {
        error("expected a number, got " + quoted(word));
        return std::nullopt;
    }
    return value;
}

std::optional<Rgba> ArtCompiler::colour(std::string_view word)
{
    if (word.size() != 1) {
        error("expected a palette character, got " + quoted(word));
        return std::nullopt;
    }
    auto found = palette_.find(word[0]);
    if (!found)
        error("palette has no colour " + quoted(word));
    return found;
}

std::optional<int> ArtCompiler::frameIndex(std::string_view word)
{
    int frame = 0;
    if (word.size() == 3 && word.front() == '\'' && word.back() == '\'') {
        frame = static_cast<unsigned char>(word[1]);
    } else {
        auto parsed = integer(word);
        if (!parsed)
            return std::nullopt;
        frame = *parsed;
    }
    int columns = result_.image.width() / result_.cellWidth;
    int rows = result_.image.height() / result_.cellHeight;
    if (frame < 0 || frame >= columns * rows) {
        error("frame " + std::to_string(frame) + " is outside the " + std::to_string(columns) + "x" +
              std::to_string(rows) + " grid");
        return std::nullopt;
    }
    return frame;
}

void ArtCompiler::directive(const std::vector<std::string_view>& words)
{
    const std::string_view op = words[0];
    Painter painter(result_.image);

    // Reads "X Y W H" starting at words[first].
    auto rect = [&](std::size_t first) -> std::optional<Rect> {
        auto x = integer(words[first]), y = integer(words[first + 1]);
        auto w = integer(words[first + 2]), h = integer(words[first + 3]);
        if (!x || !y || !w || !h)
            return std::nullopt;
        return Rect{*x, *y, *w, *h};
    };

    if (op == "image") {
        if (!argCount(words, 2, 2))
            return;
        auto w = integer(words[1]), h = integer(words[2]);
        if (!w || !h)
            return;
        if (!result_.image.empty()) {
            error("'image' given twice");
        } else if (*w < 1 || *h < 1 || *w > kMaxSize || *h > kMaxSize) {
            error("image size must be 1.." + std::to_string(kMaxSize));
        } else {
            result_.image = Image(*w, *h);
        }
    } else if (op == "grid") {
        if (!argCount(words, 2, 2) || !needImage("'grid'"))
            return;
        auto w = integer(words[1]), h = integer(words[2]);
        if (!w || !h)
            return;
        if (*w < 1 || *h < 1 || *w > result_.image.width() || *h > result_.image.height())
            error("grid cell must fit in the image");
        else {
            result_.cellWidth = *w;
            result_.cellHeight = *h;
        }
    } else if (op == "colour" || op == "color") {
        if (!argCount(words, 2, 2))
            return;
        auto rgba = Palette::parseHex(words[2]);
        if (!rgba)
            error("colour must be rrggbb or rrggbbaa hex, got " + quoted(words[2]));
        else if (words[1].size() != 1 || !palette_.define(words[1][0], *rgba))
            error("cannot use " + quoted(words[1]) + " as a palette character");
    } else if (op == "frame" || op == "frames") {
        if (words.size() < 2) {
            error("'" + std::string(op) + "' needs at least one frame");
            return;
        }
        // The block is opened even when something is wrong, so that its rows
        // are not mistaken for directives.
        OpenBlock block;
        block.startLine = line_;
        if (!needImage("'frames'")) {
            block.frames.assign(words.size() - 1, -1);
        } else if (result_.cellWidth == 0) {
            error("'frames' needs a 'grid' line first");
            block.frames.assign(words.size() - 1, -1);
        } else {
            for (std::size_t i = 1; i < words.size(); ++i)
                block.frames.push_back(frameIndex(words[i]).value_or(-1));
        }
        block_ = block;
    } else if (op == "block") {
        OpenBlock block;
        block.startLine = line_;
        block.scale = 0; // marks a broken header: rows are skipped
        if (argCount(words, 2, 3) && needImage("'block'")) {
            auto x = integer(words[1]), y = integer(words[2]);
            auto scale = words.size() > 3 ? integer(words[3]) : std::optional<int>(1);
            if (x && y && scale) {
                if (*scale < 1 || *scale > 64)
                    error("block scale must be 1..64");
                else {
                    block.x = *x;
                    block.y = *y;
                    block.scale = *scale;
                }
            }
        }
        block_ = block;
    } else if (op == "end") {
        error("'end' without an open block");
    } else if (op == "fill" || op == "border") {
        if (!argCount(words, 5, 5) || !needImage(quoted(op)))
            return;
        auto r = rect(1);
        auto c = colour(words[5]);
        if (!r || !c)
            return;
        if (op == "fill")
            painter.fill(*r, *c);
        else
            painter.border(*r, *c);
    } else if (op == "vgrad" || op == "hgrad") {
        if (!argCount(words, 6, 6) || !needImage(quoted(op)))
            return;
        auto r = rect(1);
        auto from = colour(words[5]), to = colour(words[6]);
        if (r && from && to)
            painter.gradient(*r, *from, *to, op == "vgrad");
    } else if (op == "radial") {
        if (!argCount(words, 4, 5) || !needImage("'radial'"))
            return;
        auto cx = number(words[1]), cy = number(words[2]), radius = number(words[3]);
        auto c = colour(words[4]);
        auto inner = words.size() > 5 ? number(words[5]) : std::optional<double>(0.0);
        if (cx && cy && radius && c && inner)
            painter.radial(*cx, *cy, *radius, *inner, *c);
    } else if (op == "recolour" || op == "recolor") {
        if (!argCount(words, 7, 7) || !needImage(quoted(op)))
            return;
        auto r = rect(1);
        auto match = colour(words[5]), from = colour(words[6]), to = colour(words[7]);
        if (r && match && from && to)
            painter.recolour(*r, *match, *from, *to);
    } else if (op == "outline") {
        if (!argCount(words, 5, 6) || !needImage("'outline'"))
            return;
        auto r = rect(1);
        auto c = colour(words[5]);
        bool diagonal = false;
        if (words.size() > 6) {
            if (words[6] == "diagonal")
                diagonal = true;
            else
                error("outline: expected 'diagonal', got " + quoted(words[6]));
        }
        if (r && c)
            painter.outline(*r, *c, diagonal, result_.cellWidth, result_.cellHeight);
    } else if (op == "shadow") {
        if (!argCount(words, 7, 7) || !needImage("'shadow'"))
            return;
        auto r = rect(1);
        auto dx = integer(words[5]), dy = integer(words[6]);
        auto c = colour(words[7]);
        if (r && dx && dy && c)
            painter.shadow(*r, *dx, *dy, *c);
    } else {
        error("unknown directive " + quoted(op));
    }
}

void ArtCompiler::blockRow(std::string_view line)
{
    if (block_->frames.empty())
        absoluteRow(line);
    else
        framesRow(line);
    ++block_->row;
}

void ArtCompiler::framesRow(std::string_view line)
{
    auto cells = splitWords(line);
    const auto& frames = block_->frames;
    if (cells.size() != frames.size()) {
        error("row has " + std::to_string(cells.size()) + " cells, the block has " + std::to_string(frames.size()) +
              " frames");
        return;
    }
    if (result_.cellWidth == 0)
        return; // already reported at the block header
    int columns = result_.image.width() / result_.cellWidth;
    if (block_->row >= result_.cellHeight) {
        error("more rows than the cell height " + std::to_string(result_.cellHeight));
        return;
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        int frame = frames[i];
        std::string_view cell = cells[i];
        if (cell.size() > static_cast<std::size_t>(result_.cellWidth)) {
            error("cell " + quoted(cell) + " is wider than the cell width " + std::to_string(result_.cellWidth));
            continue;
        }
        if (frame < 0)
            continue;
        int ox = (frame % columns) * result_.cellWidth;
        int oy = (frame / columns) * result_.cellHeight + block_->row;
        for (std::size_t x = 0; x < cell.size(); ++x) {
            auto c = palette_.find(cell[x]);
            if (!c) {
                error("palette has no colour " + quoted(cell.substr(x, 1)));
                continue;
            }
            result_.image.set(ox + static_cast<int>(x), oy, *c);
        }
    }
}

void ArtCompiler::absoluteRow(std::string_view line)
{
    const OpenBlock& b = *block_;
    if (b.scale == 0)
        return; // header was broken and already reported
    int y = b.y + b.row * b.scale;
    int width = static_cast<int>(line.size()) * b.scale;
    if (y + b.scale > result_.image.height() || b.x < 0 || y < 0 || b.x + width > result_.image.width()) {
        error("row runs outside the image");
        return;
    }
    Painter painter(result_.image);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ' || line[i] == '\t')
            continue; // leave the pixel as it is
        auto c = palette_.find(line[i]);
        if (!c) {
            error("palette has no colour " + quoted(line.substr(i, 1)));
            continue;
        }
        painter.fill(Rect{b.x + static_cast<int>(i) * b.scale, y, b.scale, b.scale}, *c);
    }
}

} // namespace artgen
