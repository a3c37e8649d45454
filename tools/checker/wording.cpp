#include "wording.h"

#include "minigames/consoleminigame.h"
#include "problem.h"
#include "resources/numbers.h"
#include "resources/path.h"
#include "tracelines.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <sstream>

namespace {

struct Word
{
    std::string text;
    int line = 0;
};

// The words of a map or script file; "|" standing alone comments out the rest of its line.
std::vector<Word> wordsOf(const std::string& text)
{
    std::vector<Word> words;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        std::istringstream in(line);
        for (std::string word; in >> word && word != "|";)
            words.push_back({word, number});
    }
    return words;
}

// Numbers are judged by the game's own readers, bounds included.
bool isInt(const std::string& word, int& value, int limit)
{
    std::istringstream in(word);
    return readInteger(in, value, limit);
}

bool isFloat(const std::string& word)
{
    std::istringstream in(word);
    float value = 0.f;
    return readDecimal(in, value);
}

// Who tells the author about a value the game cannot read: the map reader says so
// itself and stops; the script reader stops running the script without a word.
enum class Unreadable
{
    GameReports,
    CheckerReports,
};

// Walks the words of one file, reporting against it. A value that cannot be read stops
// the walk where the game's reader reports it; where the game is silent, the checker
// reports it and reads on from the next line, for what else the author should fix.
class Reader
{
public:
    Reader(const std::string& path, const std::string& text, std::vector<Problem>& problems, Unreadable unreadable)
        : m_path(path),
          m_words(wordsOf(text)),
          m_problems(problems),
          m_unreadable(unreadable)
    {
    }

    bool atEnd() const
    {
        return m_next >= m_words.size() || m_stopped;
    }
    const Word& take()
    {
        return m_words[m_next++];
    }
    int line() const
    {
        return m_next > 0 ? m_words[m_next - 1].line : 1;
    }

    bool word(std::string& value)
    {
        if (atEnd())
            return stop();
        value = take().text;
        return true;
    }
    bool integer(int& value, int limit = INT_MAX)
    {
        return !atEnd() && valueRead(isInt(m_words[m_next].text, value, limit), "");
    }
    bool decimal()
    {
        return !atEnd() && valueRead(isFloat(m_words[m_next].text), "");
    }
    bool flag(int& value)
    {
        return !atEnd() && valueRead(isInt(m_words[m_next].text, value, 1) && value >= 0,
                                     "a flag is 0 or 1: the reader stops here");
    }

    // The rest of the current line, which only follows from a word the game misread.
    void skipLine()
    {
        const int current = line();
        while (m_next < m_words.size() && m_words[m_next].line == current)
            ++m_next;
    }

    const std::string& path() const
    {
        return m_path;
    }
    std::vector<Problem>& problems()
    {
        return m_problems;
    }

    void report(int line, const std::string& message)
    {
        m_problems.push_back({m_path, line, message});
    }
    // A misspelt keyword and the words of its section are skipped: one report per line.
    void unknown(const Word& word)
    {
        if (word.line == m_lastUnknownLine)
            return;
        m_lastUnknownLine = word.line;
        report(word.line, "unknown keyword \"" + word.text + "\": skipped");
    }

private:
    bool stop()
    {
        m_stopped = true;
        return false;
    }

    // Takes the next word as a value, or deals with it as the game does when it is not
    // `readable` (`why` says what it should have been, when the checker knows better).
    bool valueRead(bool readable, const std::string& why)
    {
        const Word& value = take();
        if (readable)
            return true;
        if (m_unreadable == Unreadable::GameReports)
            return stop();
        report(value.line, why.empty()
                               ? "unreadable value \"" + value.text + "\": the script stops here, nothing after it runs"
                               : why);
        skipLine();
        return false;
    }

    std::string m_path;
    std::vector<Word> m_words;
    std::vector<Problem>& m_problems;
    Unreadable m_unreadable;
    std::size_t m_next = 0;
    bool m_stopped = false;
    int m_lastUnknownLine = 0;
};

enum class Field
{
    Id,
    Number,
    Position,
    Decimal,
    Name,
    Picture,
    Hitbox,
    NextMap,
    Script,
};

const std::map<std::string, std::vector<Field>>& mapSections()
{
    using F = Field;
    static const std::vector<Field> placed{F::Id, F::Position, F::Position, F::Picture};
    static const std::vector<Field> trigger{F::Id, F::Position, F::Position, F::Number, F::Decimal, F::Picture};
    static const std::map<std::string, std::vector<Field>> sections{
        {"[Background]", {F::Picture}},
        {"[BGM]", {F::Name}},
        {"[GroundEntity]", {F::Id, F::Position, F::Position, F::Picture, F::Hitbox}},
        {"[PicEntity]", placed},
        {"[DoorEntity]", placed},
        {"[InversedDoorEntity]", placed},
        {"[DecorationEntity]", placed},
        {"[ActivableTrigger]", trigger},
        {"[TimerActivableTrigger]", trigger},
        {"[TimerShootableTrigger]", trigger},
        {"[CurrentLevelVortex]", {F::Id, F::Position, F::Position}},
        {"[NextLevelVortex]", {F::Id, F::Position, F::Position, F::NextMap}},
        {"[ScriptedEntity]", {F::Id, F::Position, F::Position, F::Script, F::Picture}},
    };
    return sections;
}

class MapReader
{
public:
    MapReader(const std::string& mapName, Reader& in, MapWording& wording)
        : m_folder("data\\graphics\\map\\" + mapName + "\\"),
          m_in(in),
          m_wording(wording)
    {
    }

    void section(const std::vector<Field>& fields)
    {
        for (Field field : fields)
            if (!read(field))
                return;
    }

private:
    bool read(Field field)
    {
        int number = 0;
        std::string name;
        switch (field) {
        case Field::Id:
            return m_in.integer(number) && store(number);
        case Field::Number:
            return m_in.integer(number);
        case Field::Position:
            return m_in.integer(number, MAX_POSITION);
        case Field::Decimal:
            return m_in.decimal();
        case Field::Name:
            return m_in.word(name);
        case Field::Picture:
            return picture();
        case Field::Hitbox:
            if (!m_in.word(name))
                return false;
            if (name != "HitboxSpriteFilled" && name != "HitboxNone")
                m_in.report(m_in.line(),
                            "hitbox word \"" + name + "\" is not HitboxSpriteFilled: this block collides with nothing");
            return true;
        case Field::NextMap:
        case Field::Script:
            if (!m_in.word(name))
                return false;
            (field == Field::NextMap ? m_wording.nextMaps : m_wording.scripts).push_back({name, m_in.line()});
            return true;
        }
        return false;
    }

    bool store(int id)
    {
        const auto stored = m_wording.idLines.emplace(id, m_in.line());
        if (!stored.second)
            m_in.report(m_in.line(), "id " + std::to_string(id) + " is already used on line " +
                                         std::to_string(stored.first->second) + ": this entity is not stored");
        return true;
    }

    // The game's reader reports an unknown kind word, without the word, and then takes
    // the words after it for what follows the picture: the rest of the line is noise
    // that only follows from the misspelling.
    bool picture()
    {
        std::string kind;
        if (!m_in.word(kind))
            return false;
        std::size_t numbers = 0;
        if (kind == "RepeatedSprite")
            numbers = 2;
        else if (kind == "AnimatedSprite")
            numbers = 4;
        else if (kind != "Sprite") {
            m_wording.unknownKinds.emplace(m_in.line(), kind);
            m_in.skipLine();
            return false;
        }
        std::string file;
        if (!m_in.word(file))
            return false;
        if (!gameFileExists(m_folder + file))
            m_in.report(m_in.line(), "missing picture " + m_folder + file);
        for (std::size_t i = 0; i < numbers; ++i)
            if (!m_in.decimal())
                return false;
        return true;
    }

    std::string m_folder;
    Reader& m_in;
    MapWording& m_wording;
};

struct Command
{
    enum Argument
    {
        Number,
        Position,
        Flag,
        Decimal,
        Entity,
        DialogueFile,
        Trigger,
    };
    std::vector<Argument> arguments;
};

const std::map<std::string, Command>& scriptKeywords()
{
    using C = Command;
    static const std::map<std::string, Command> keywords{
        {"[TypeDeclenchement]", {{C::Trigger}}},
        {"[IsSolid]", {{C::Flag}}},
        {"[SetPlayerPosition]", {{C::Position, C::Position}}},
        {"[ShowDialogue]", {{C::DialogueFile, C::Entity}}},
        {"[SetSolid]", {{C::Flag}}},
        {"[PlayerCanShoot]", {{C::Flag}}},
        {"[PlusOuMoins]", {{C::Number}}},
        {"[ActivateEntity]", {{C::Entity}}},
        {"[MasterMindCode]", {{C::Number, C::Entity}}},
        {"[SetEntityVisible]", {{C::Entity, C::Flag}}},
        {"[PlayerCanToggleGravity]", {{C::Flag}}},
    };
    return keywords;
}

bool readArgument(Command::Argument argument, const std::string& keyword, Reader& in, ScriptWording& wording,
                  int& number)
{
    std::string name;
    switch (argument) {
    case Command::Number:
        return in.integer(number);
    case Command::Position:
        return in.integer(number, MAX_POSITION);
    case Command::Decimal:
        return in.decimal();
    case Command::Flag:
        if (!in.flag(number))
            return false;
        if (number == 1 && keyword == "[PlayerCanShoot]")
            wording.grantsShooting = true;
        if (number == 1 && keyword == "[PlayerCanToggleGravity]")
            wording.grantsGravity = true;
        return true;
    case Command::Entity:
        if (!in.integer(number))
            return false;
        if (number != -1)
            wording.ids.push_back({number, in.line(), keyword});
        return true;
    case Command::DialogueFile:
        if (!in.word(name))
            return false;
        wording.dialogues.push_back({name, in.line()});
        if (!gameFileExists(name))
            in.report(in.line(), "missing dialogue file " + name);
        return true;
    case Command::Trigger:
        if (!in.word(name))
            return false;
        if (name == "AfterWait")
            return in.decimal();
        if (name != "OnMapLoading" && name != "OnCollision" && name != "OnShoot")
            in.report(in.line(), "unknown trigger type \"" + name + "\": the script keeps the one it had");
        return true;
    }
    return false;
}

// What the game makes of the values it could read: the character is put wherever it is
// told, and a digit count is brought back into range.
void checkValues(const std::string& keyword, const std::vector<int>& values, Reader& in)
{
    if (keyword == "[SetPlayerPosition]" &&
        !GAME_VIEW.contains(static_cast<float>(values[0]), static_cast<float>(values[1])))
        in.report(in.line(), "the character is put at (" + std::to_string(values[0]) + ", " +
                                 std::to_string(values[1]) + "), outside the 1000 x 500 window: it falls off screen");
    if (keyword == "[PlusOuMoins]" || keyword == "[MasterMindCode]") {
        ErrorLines errors(
            in.path(), [&] { return in.line(); }, in.problems());
        digitCountInRange(values[0], MIN_CODE_DIGITS, MAX_CODE_DIGITS);
    }
}

// Reads keyword after keyword: an unknown one is reported, a known one read by `read`.
template <typename Entry, typename Read>
void eachKeyword(Reader& in, const std::map<std::string, Entry>& keywords, Read read)
{
    while (!in.atEnd()) {
        const Word& keyword = in.take();
        const auto found = keywords.find(keyword.text);
        if (found == keywords.end())
            in.unknown(keyword);
        else
            read(keyword.text, found->second);
    }
}

bool isBubbleStart(const std::string& line)
{
    std::istringstream in(line);
    int value = 0;
    for (int i = 0; i < 6; ++i)
        if (!(in >> value))
            return false;
    return true;
}

// The game keeps the low eight bits of each value: 256 shows as black.
void checkColour(const std::string& what, const int* rgb, const std::string& path, int line,
                 std::vector<Problem>& problems)
{
    if (std::all_of(rgb, rgb + 3, [](int value) { return value >= 0 && value <= 255; }))
        return;
    problems.push_back({path, line,
                        what + " colour " + std::to_string(rgb[0]) + " " + std::to_string(rgb[1]) + " " +
                            std::to_string(rgb[2]) + " is outside 0..255: the game keeps only its low eight bits"});
}

} // namespace

MapWording readMapWording(const std::string& mapName, const std::string& path, const std::string& text,
                          std::vector<Problem>& problems)
{
    MapWording wording;
    Reader in(path, text, problems, Unreadable::GameReports);
    MapReader sections(mapName, in, wording);
    eachKeyword(in, mapSections(), [&](const std::string& keyword, const std::vector<Field>& fields) {
        if (keyword == "[CurrentLevelVortex]")
            ++wording.entries;
        sections.section(fields);
    });
    return wording;
}

ScriptWording readScriptWording(const std::string& path, const std::string& text, std::vector<Problem>& problems)
{
    ScriptWording wording;
    Reader in(path, text, problems, Unreadable::CheckerReports);
    eachKeyword(in, scriptKeywords(), [&](const std::string& keyword, const Command& command) {
        std::vector<int> values;
        for (Command::Argument argument : command.arguments)
            if (!readArgument(argument, keyword, in, wording, values.emplace_back()))
                return;
        checkValues(keyword, values, in);
    });
    return wording;
}

std::vector<int> readDialogueWording(const std::string& path, const std::string& text, std::vector<Problem>& problems)
{
    std::vector<int> bubbles;
    CountedText in(text);
    int lastUnknownLine = 0;
    std::string token;
    while (in >> token && token != "[Dialogue]") {
        if (token != "[Actor]") {
            if (in.line() != lastUnknownLine)
                problems.push_back({path, in.line(), "unknown keyword \"" + token + "\": skipped"});
            lastUnknownLine = in.line();
            continue;
        }
        std::string nom;
        std::string bubble;
        int colour[3];
        if (!(in >> nom >> bubble >> colour[0] >> colour[1] >> colour[2]))
            return bubbles;
        checkColour("name", colour, path, in.line(), problems);
        for (const std::string& picture :
             {"data\\graphics\\actor\\" + nom + ".png", "data\\graphics\\window\\dialogue\\" + bubble + ".png"})
            if (!gameFileExists(picture))
                problems.push_back({path, in.line(), "missing picture " + picture});
    }
    if (token != "[Dialogue]") {
        problems.push_back({path, in.line(), "no [Dialogue] line: the dialogue shows nothing"});
        return bubbles;
    }
    // Each bubble's text runs to its "#": a bubble whose "#" is missing swallows the next one.
    for (int header[6]; in >> header[0] >> header[1] >> header[2] >> header[3] >> header[4] >> header[5];) {
        const int first = in.line();
        checkColour("text", header + 3, path, first, problems);
        std::string texte;
        if (!std::getline(in, texte, '#'))
            return bubbles;
        bubbles.push_back(first);
        std::istringstream lines(texte);
        int number = first;
        for (std::string line; std::getline(lines, line); ++number)
            if (number > first && isBubbleStart(line))
                problems.push_back(
                    {path, number, "a bubble starts inside the text of the one before: its \"#\" is missing"});
    }
    return bubbles;
}

bool gameFileExists(const std::string& gamePath)
{
    return std::filesystem::is_regular_file(hostPath(gamePath));
}

std::string mapPath(const std::string& mapName)
{
    return "data\\maps\\" + mapName + "\\" + mapName + ".zi";
}
