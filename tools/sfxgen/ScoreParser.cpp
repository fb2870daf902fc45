#include "ScoreParser.h"

#include <charconv>
#include <cmath>

namespace sfxgen {

double ScoreParser::noteFrequency(std::string_view word)
{
    static constexpr int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g from C
    if (word.size() < 2 || word[0] < 'a' || word[0] > 'g')
        return 0.0;
    int semitone = kSemitone[word[0] - 'a'];
    std::size_t i = 1;
    if (word[i] == '#' || word[i] == 'b') {
        semitone += word[i] == '#' ? 1 : -1;
        ++i;
    }
    if (i + 1 != word.size() || word[i] < '0' || word[i] > '8')
        return 0.0;
    const int octave = word[i] - '0';
    const int midi = 12 * (octave + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

ScoreParseResult ScoreParser::parse(std::string_view source, const std::string& fileName)
{
    file_ = fileName;
    line_ = 0;
    result_ = ScoreParseResult{};
    block_ = Block::None;
    tempoGiven_ = false;

    forEachLine(source, [this](int number, const Words& words) {
        line_ = number;
        reader_.at(file_, line_);
        if (block_ == Block::Instrument)
            instrumentLine(words);
        else if (block_ == Block::Pattern)
            patternLine(words);
        else
            topLevel(words);
    });
    // What is missing at the end is reported on the last line.
    line_ = lineCount(source);
    if (block_ != Block::None) {
        error("block opened on line " + std::to_string(blockLine_) + " has no 'end'");
        finishBlock();
    }

    Score& s = result_.score;
    if (!tempoGiven_)
        error("no 'tempo' line");
    if (s.song.empty())
        error("no 'song' line naming the patterns to play");
    for (const Pattern& pattern : s.patterns)
        if (pattern.steps == 0)
            error("pattern " + quoted(pattern.name) + " has no rows");
    if (result_.ok() && s.songSteps() * s.stepSeconds() > kMaxSeconds)
        error("the song lasts " + show(s.songSteps() * s.stepSeconds()) + " s, more than " + show(kMaxSeconds));
    return std::move(result_);
}

void ScoreParser::error(std::string message)
{
    reader_.at(file_, line_);
    reader_.error(std::move(message));
}

int ScoreParser::findInstrument(std::string_view name) const
{
    const auto& list = result_.score.instruments;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].name == name)
            return static_cast<int>(i);
    return -1;
}

int ScoreParser::findPattern(std::string_view name) const
{
    const auto& list = result_.score.patterns;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].name == name)
            return static_cast<int>(i);
    return -1;
}

void ScoreParser::topLevel(const Words& words)
{
    const std::string_view key = words[0];
    Score& s = result_.score;
    if (key == "instrument" || key == "pattern") {
        if (words.size() != 2) {
            error(quoted(key) + " takes a name");
            return;
        }
        const bool instrument = key == "instrument";
        if ((instrument ? findInstrument(words[1]) : findPattern(words[1])) >= 0)
            error("a second " + std::string(key) + " named " + quoted(words[1]));
        // Opened all the same, so that its lines are not read as settings.
        block_ = instrument ? Block::Instrument : Block::Pattern;
        blockLine_ = line_;
        if (instrument)
            s.instruments.push_back(Instrument{std::string(words[1]), Layer{}, 0.0});
        else
            s.patterns.push_back(Pattern{std::string(words[1]), 0, {}});
    } else if (key == "end") {
        error("'end' without an instrument or pattern");
    } else if (key == "tempo") {
        if (reader_.single(words))
            if (auto v = reader_.numberIn(words[1], 20.0, 400.0)) {
                s.tempo = *v;
                tempoGiven_ = true;
            }
    } else if (key == "steps") {
        if (reader_.single(words))
            if (auto v = reader_.numberIn(words[1], 1, 16)) {
                if (*v != std::floor(*v))
                    error("'steps' must be a whole number");
                else
                    s.stepsPerBeat = static_cast<int>(*v);
            }
    } else if (key == "volume") {
        if (reader_.single(words))
            if (auto v = reader_.numberIn(words[1], 0.0, 4.0))
                s.volume = *v;
    } else if (key == "seed") {
        if (!reader_.single(words))
            return;
        std::uint64_t seed = 0;
        auto [end, ec] = std::from_chars(words[1].data(), words[1].data() + words[1].size(), seed);
        if (ec != std::errc{} || end != words[1].data() + words[1].size())
            error("seed must be a whole number, got " + quoted(words[1]));
        else
            s.seed = seed;
    } else if (key == "loop") {
        if (reader_.single(words)) {
            if (words[1] == "on" || words[1] == "off")
                s.loop = words[1] == "on";
            else
                error("'loop' is 'on' or 'off', got " + quoted(words[1]));
        }
    } else if (key == "echo") {
        if (words.size() != 3) {
            error("'echo' takes SECONDS FEEDBACK");
            return;
        }
        auto time = reader_.numberIn(words[1], 0.01, 2.0);
        auto feedback = reader_.numberIn(words[2], 0.0, 0.9);
        if (time && feedback) {
            s.echoTime = *time;
            s.echoFeedback = *feedback;
        }
    } else if (key == "song") {
        if (words.size() < 2)
            error("'song' needs pattern names");
        for (std::size_t i = 1; i < words.size(); ++i) {
            int p = findPattern(words[i]);
            if (p < 0)
                error("no pattern named " + quoted(words[i]) + " (patterns come before the song)");
            else
                s.song.push_back(p);
        }
    } else {
        error("unknown setting " + quoted(key));
    }
}

void ScoreParser::instrumentLine(const Words& words)
{
    Instrument& instrument = result_.score.instruments.back();
    const std::string_view key = words[0];
    if (key == "end") {
        if (words.size() != 1)
            error("'end' takes no values");
        finishBlock();
    } else if (key == "echo") {
        if (reader_.single(words))
            if (auto v = reader_.numberIn(words[1], 0.0, 1.0))
                instrument.echo = *v;
    } else if (key == "start") {
        error("'start' has no place in an instrument: the pattern says when it plays");
    } else if (key == "instrument" || key == "pattern") {
        error(quoted(key) + " inside an instrument (missing 'end'?)");
    } else if (!reader_.read(words, instrument.voice)) {
        error("unknown instrument setting " + quoted(key));
    }
}

void ScoreParser::patternLine(const Words& words)
{
    Pattern& pattern = result_.score.patterns.back();
    if (words[0] == "end") {
        if (words.size() != 1)
            error("'end' takes no values");
        finishBlock();
        return;
    }
    PatternRow row;
    row.instrument = findInstrument(words[0]);
    if (row.instrument < 0) {
        error("no instrument named " + quoted(words[0]) + " (instruments come before the patterns)");
        return;
    }
    int step = 0;
    bool ringing = false; // the last step holds a note that a tie may extend
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::string_view word = words[i];
        if (word == "|")
            continue;
        if (word == ".") {
            ringing = false;
        } else if (word == "-") {
            if (!ringing)
                error("a tie '-' at step " + std::to_string(step + 1) + " has no note before it");
            else
                ++row.notes.back().steps;
        } else {
            Note note;
            note.step = step;
            auto colon = word.find(':');
            if (colon != std::string_view::npos) {
                auto velocity = reader_.numberIn(word.substr(colon + 1), 0.0, 4.0);
                note.velocity = velocity.value_or(1.0);
                word = word.substr(0, colon);
            }
            if (word != "x") {
                note.frequency = noteFrequency(word);
                if (note.frequency <= 0.0) {
                    error("expected a note (c4, f#2, eb3), 'x', '.', '-' or '|', got " + quoted(word));
                    ++step;
                    ringing = false;
                    continue;
                }
            }
            row.notes.push_back(note);
            ringing = true;
        }
        ++step;
    }
    if (step == 0) {
        error("a row of " + quoted(words[0]) + " with no steps");
        return;
    }
    if (step > kMaxPatternSteps)
        error("a row of " + std::to_string(step) + " steps, more than " + std::to_string(kMaxPatternSteps));
    else if (pattern.steps == 0)
        pattern.steps = step;
    else if (step != pattern.steps)
        error("a row of " + std::to_string(step) + " steps in a pattern of " + std::to_string(pattern.steps));
    pattern.rows.push_back(std::move(row));
}

void ScoreParser::finishBlock()
{
    if (block_ == Block::Instrument) {
        Layer& voice = result_.score.instruments.back().voice;
        if (!voice.frequencyGiven && voice.wave == Wave::Noise)
            voice.frequency = Ramp::constant(22050.0);
    }
    block_ = Block::None;
}

} // namespace sfxgen
