#include "Sequencer.h"

#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace sfxgen {

std::size_t Sequencer::stepSample(const Score& score, int step)
{
    return static_cast<std::size_t>(std::lround(step * score.stepSeconds() * Synth::kSampleRate));
}

std::size_t Sequencer::loopSamples(const Score& score)
{
    return stepSample(score, score.songSteps());
}

double Sequencer::noteSeconds(const Score& score, const Instrument& instrument, int steps)
{
    if (instrument.voice.length)
        return *instrument.voice.length;
    return steps * score.stepSeconds() + instrument.voice.envelope.release;
}

std::vector<float> Sequencer::render(const Score& score) const
{
    const std::size_t loop = loopSamples(score);
    std::vector<float> mix(loop, 0.0f);
    std::vector<float> send(loop, 0.0f);
    // Adds a sample at `index` of the song: past the end it wraps into the
    // start of a loop, or lengthens a piece that does not loop.
    auto add = [&](std::vector<float>& buffer, std::size_t index, float value) {
        if (score.loop && loop > 0) {
            index %= loop;
        } else if (index >= buffer.size()) {
            mix.resize(index + 1, 0.0f);
            send.resize(index + 1, 0.0f);
        }
        buffer[index] += value;
    };

    std::uint64_t noteCount = 0;
    int patternStart = 0;
    for (int p : score.song) {
        const Pattern& pattern = score.patterns[static_cast<std::size_t>(p)];
        for (const PatternRow& row : pattern.rows) {
            const Instrument& instrument = score.instruments[static_cast<std::size_t>(row.instrument)];
            const double ownPitch = instrument.voice.frequency.from;
            for (const Note& note : row.notes) {
                const double pitch = note.frequency > 0.0 && ownPitch > 0.0 ? note.frequency / ownPitch : 1.0;
                const std::uint64_t seed = score.seed * 0x9E3779B97F4A7C15ull + ++noteCount;
                std::vector<float> voice =
                    Synth::renderVoice(instrument.voice, noteSeconds(score, instrument, note.steps), pitch, seed);
                const std::size_t first = stepSample(score, patternStart + note.step);
                const auto velocity = static_cast<float>(note.velocity);
                const auto echo = static_cast<float>(note.velocity * instrument.echo);
                for (std::size_t i = 0; i < voice.size(); ++i) {
                    add(mix, first + i, voice[i] * velocity);
                    if (echo > 0.0f)
                        add(send, first + i, voice[i] * echo);
                }
            }
        }
        patternStart += pattern.steps;
    }

    addEcho(score, send, mix);
    for (float& s : mix)
        s = static_cast<float>(s * score.volume);
    return mix;
}

void Sequencer::addEcho(const Score& score, const std::vector<float>& send, std::vector<float>& mix)
{
    if (score.echoTime <= 0.0)
        return;
    const auto delay = static_cast<std::size_t>(std::lround(score.echoTime * Synth::kSampleRate));
    if (delay == 0)
        return;
    const double feedback = score.echoFeedback;
    if (score.loop) {
        // The echo of a loop never starts: run the delay line round the loop
        // until what comes back from the previous turn has died away.
        const std::size_t n = mix.size();
        if (delay >= n)
            return;
        std::vector<float> line(n, 0.0f);
        for (int turn = 0; turn < 3; ++turn)
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t from = (i + n - delay) % n;
                line[i] = static_cast<float>(send[from] + feedback * line[from]);
            }
        for (std::size_t i = 0; i < n; ++i)
            mix[i] += line[i];
        return;
    }
    // A piece that ends: the echoes ring on after it until they are quiet.
    const double repeats = feedback > 0.0 ? std::ceil(std::log(0.001) / std::log(feedback)) : 1.0;
    const std::size_t tail = std::min<std::size_t>(delay * static_cast<std::size_t>(repeats), 10 * Synth::kSampleRate);
    std::vector<float> line(mix.size() + tail, 0.0f);
    mix.resize(line.size(), 0.0f);
    for (std::size_t i = delay; i < line.size(); ++i) {
        const float in = i - delay < send.size() ? send[i - delay] : 0.0f;
        line[i] = static_cast<float>(in + feedback * line[i - delay]);
        mix[i] += line[i];
    }
}

} // namespace sfxgen
