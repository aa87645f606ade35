// Times ShakerSort on generated inputs of Spanish-like lines in Windows-1252 and on shapes that
// stress the descending tie order. Usage: sort_bench [lines [name-filter]]
#include "app/settings.h"
#include "ordering/shaker_sort.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {
struct Input {
    std::string text;
    std::vector<LineSpan> lines;
};

void AddLine(Input& input, const std::string& line) {
    input.lines.push_back({static_cast<uint32_t>(input.text.size()), static_cast<uint32_t>(line.size())});
    input.text += line;
    input.text += "\r\n";
}

// Words built from Spanish syllables, some with accents, enye or cedilla.
std::vector<std::string> Vocabulary(std::mt19937& random, size_t size) {
    static const char* const Syllables[] = {"la",      "ca",    "sa", "ma",    "pe", "te",  "ro",    "do",
                                            "ci\xF3n", "r\xED", "mu", "\xF1o", "gu", "que", "ta",    "es",
                                            "en",      "co",    "de", "ra",    "ti", "lo",  "n\xE1", "b\xE9",
                                            "ga",      "ll",    "ch", "to",    "so", "ve"};
    std::vector<std::string> words(size);
    for (std::string& word : words) {
        const int syllables = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < syllables; ++i)
            word += Syllables[random() % (sizeof Syllables / sizeof *Syllables)];
    }
    return words;
}

// Mixed case: most words as they are, some capitalised, a few in capitals.
std::string Cased(std::string word, std::mt19937& random) {
    const unsigned choice = random() % 10;
    for (size_t i = 0; i < word.size() && choice >= 7; ++i) {
        unsigned char& ch = reinterpret_cast<unsigned char&>(word[i]);
        if ((ch >= 'a' && ch <= 'z') || (ch >= 0xE0 && ch != 0xF7 && ch != 0xFF))
            ch = static_cast<unsigned char>(ch - 0x20);
        if (choice < 9)
            break;
    }
    return word;
}

Input SpanishLines(size_t count, size_t wordsPerLine, size_t vocabulary) {
    std::mt19937 random(1);
    const std::vector<std::string> words = Vocabulary(random, vocabulary);
    Input input;
    for (size_t i = 0; i < count; ++i) {
        std::string line;
        const size_t n = 1 + random() % (2 * wordsPerLine - 1);
        for (size_t w = 0; w < n; ++w)
            line += (w ? " " : "") + Cased(words[random() % words.size()], random);
        AddLine(input, line);
    }
    return input;
}

Input Shape(size_t count, int (*key)(size_t i)) {
    Input input;
    for (size_t i = 0; i < count; ++i)
        AddLine(input, (i % 2 ? "K" : "k") + std::to_string(key(i)));
    return input;
}

const char* Filter = "";

// Best of three runs, in wall-clock and processor time (the machine may be shared).
void Time(const char* name, const Input& original, int16_t order) {
    if (!std::strstr(name, Filter))
        return;
    double bestWall = 1e9, bestCpu = 1e9;
    for (int run = 0; run < 3; ++run) {
        Input input = original;
        SortOrder = order;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t startCpu = std::clock();
        ShakerSort(input.text.data(), input.lines.data(), input.lines.size());
        bestCpu = std::min(bestCpu, static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
        bestWall = std::min(bestWall,
                            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%-34s %-10s %8zu lines %6.1f MB  wall %6.3f s  cpu %6.3f s\n", name,
                order == SortAscending ? "ascending" : "descending", original.lines.size(),
                original.text.size() / 1e6, bestWall, bestCpu);
}
} // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    Filter = argc > 2 ? argv[2] : "";
    const Input spanish = SpanishLines(count, 5, 20000);
    const Input words = SpanishLines(count, 1, 30000);
    const Input allEqual = Shape(count, [](size_t) { return 0; });
    const Input sawtooth = Shape(count, [](size_t i) { return static_cast<int>(i % 1000); });
    const Input fewKeys = Shape(count, [](size_t i) { return static_cast<int>((i * 2654435761u) % 26); });
    for (int16_t order : {SortAscending, SortDescending}) {
        Time("Spanish lines (few ties)", spanish, order);
        Time("Spanish single words (many ties)", words, order);
        Time("all equal", allEqual, order);
        Time("sawtooth of 1000 keys", sawtooth, order);
        Time("26 keys shuffled", fewKeys, order);
    }
}
