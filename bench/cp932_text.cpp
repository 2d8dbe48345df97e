#include "cp932_text.h"

#include <random>
#include <vector>

namespace vorlent::bench {
namespace {

// Two-byte characters by their bytes in code page 932.
std::string Char(unsigned lead, unsigned trail) {
    return {static_cast<char>(lead), static_cast<char>(trail)};
}

bool IsTrailByte(unsigned byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The kanji of the text: lead bytes 0x88 to 0x9F, the first in the list the
// most frequent. Kanji with lead bytes from 0xE0 on are never in the text.
class KanjiPool {
  public:
    KanjiPool() {
        std::mt19937 random(932);
        std::vector<double> weights;
        while (kanji_.size() < kKanjiCount) {
            const unsigned lead = 0x88 + random() % 0x18;
            const unsigned trail = 0x40 + random() % 0xBD;
            if (IsTrailByte(trail) && !(lead == 0x88 && trail < 0x9F)) {
                kanji_.push_back(Char(lead, trail));
                weights.push_back(1.0 / static_cast<double>(kanji_.size()));
            }
        }
        frequency_ = std::discrete_distribution<std::size_t>(weights.begin(), weights.end());
    }

    const std::string& Pick(std::mt19937& random) { return kanji_[frequency_(random)]; }
    const std::string& Commonest() const { return kanji_.front(); }

    static std::string Absent(std::mt19937& random) {
        for (;;) {
            const unsigned trail = 0x40 + random() % 0xBD;
            if (IsTrailByte(trail)) {
                return Char(0xE0 + random() % 0x0A, trail);
            }
        }
    }

  private:
    static constexpr std::size_t kKanjiCount = 1500;
    std::vector<std::string> kanji_;
    std::discrete_distribution<std::size_t> frequency_;
};

KanjiPool& Kanji() {
    static KanjiPool pool;
    return pool;
}

std::size_t Between(std::mt19937& random, std::size_t low, std::size_t high) {
    return low + random() % (high - low + 1);
}

std::string Hiragana(std::mt19937& random, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += Char(0x82, 0x9F + random() % 0x53);
    }
    return text;
}

std::string Katakana(std::mt19937& random, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned trail = 0x40 + random() % 0x56;
        text += Char(0x83, trail == 0x7F ? 0x80 : trail);
    }
    return text;
}

std::string KanjiRun(std::mt19937& random, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += Kanji().Pick(random);
    }
    return text;
}

std::string AsciiWord(std::mt19937& random, std::size_t letters) {
    std::string text;
    for (std::size_t i = 0; i < letters; ++i) {
        text += static_cast<char>('a' + random() % 26);
    }
    return text;
}

std::string Token(std::mt19937& random) {
    const std::size_t kind = random() % 100;
    if (kind < 25) {
        return AsciiWord(random, Between(random, 2, 9)) + ' ';
    }
    if (kind < 60) {
        return Hiragana(random, Between(random, 1, 5));
    }
    if (kind < 70) {
        return Katakana(random, Between(random, 2, 6));
    }
    if (kind < 95) {
        return KanjiRun(random, Between(random, 1, 3));
    }
    return random() % 2 == 0 ? Char(0x81, 0x41) : Char(0x81, 0x42);
}

}  // namespace

std::string MakeBody(std::size_t size, unsigned seed) {
    constexpr std::size_t kMinLineLength = 40;
    constexpr std::size_t kMaxLineLength = 100;
    std::mt19937 random(seed);
    std::string body;
    body.reserve(size + 128);
    while (body.size() < size) {
        const std::size_t lineLength = Between(random, kMinLineLength, kMaxLineLength);
        std::string line = random() % 10 == 0 ? "> " : "";
        while (line.size() < lineLength) {
            const std::string token = Token(random);
            if (line.size() + token.size() > kMaxLineLength) {
                line += AsciiWord(random, lineLength - line.size());
                break;
            }
            line += token;
        }
        body += line + "\r\n";
    }
    body.resize(size);
    return body;
}

StringSet MakeAbsentStrings(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    const std::string company = KanjiRun(random, 4);
    StringSet strings;
    while (strings.size() < count) {
        const std::size_t kind = random() % 100;
        std::string name;
        if (kind < 40) {
            name = KanjiRun(random, Between(random, 2, 4));
        } else if (kind < 60) {
            name = Katakana(random, Between(random, 3, 6));
        } else if (kind < 90) {
            name = AsciiWord(random, Between(random, 5, 10));
        } else {
            // Customer names sharing one long beginning.
            name = company + KanjiRun(random, Between(random, 1, 3));
        }
        strings.insert(name + KanjiPool::Absent(random));
    }
    return strings;
}

std::string MakeAbsentShortString() {
    std::mt19937 random(4);
    return Kanji().Commonest() + KanjiPool::Absent(random);
}

StringSet MakeAbsentKanji(std::size_t count) {
    // The text's kanji never pair the lead byte 0x88 with a trail byte below
    // 0x9F, and no character of it starts with a byte from 0x40 to 0x5F, so
    // 0x88 followed by one of those stands nowhere in it.
    StringSet strings;
    for (unsigned trail = 0x40; trail < 0x60 && strings.size() < count; ++trail) {
        strings.insert(Char(0x88, trail));
    }
    return strings;
}

StringSet MakeAbsentKanjiPairs(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    StringSet strings;
    while (strings.size() < count) {
        strings.insert(Kanji().Pick(random) + KanjiPool::Absent(random));
    }
    return strings;
}

}  // namespace vorlent::bench
