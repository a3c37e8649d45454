#include "resources/manager_soundbuffer.h"

#include "resources/contentfile.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <cstdint>

namespace {

const std::uintmax_t MAX_SOUND_FILE_SIZE = 16u << 20;
// A sound is decoded whole into as many samples as its header claims: about three
// minutes of stereo at most, whatever a forged header says.
const std::uint64_t MAX_SOUND_SAMPLES = 1u << 24;

} // namespace

void Manager_SoundBuffer::load()
{
    const std::string& path = m_Path.back();
    std::cout << " -- Chargement du SoundBuffer : " << path << std::endl;
    std::string bytes;
    sf::InputSoundFile header;
    if (!readContentFile(path, MAX_SOUND_FILE_SIZE, bytes))
        return reportRefusedFile("sound", path);
    if (!header.openFromMemory(bytes.data(), bytes.size()))
        return; // the library has said why
    if (header.getSampleCount() > MAX_SOUND_SAMPLES)
        return reportRefusedFile("sound", path);
    m_Item.back()->loadFromMemory(bytes.data(), bytes.size());
}
