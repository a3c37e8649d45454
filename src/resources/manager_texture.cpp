#include "resources/manager_texture.h"

#include "resources/contentfile.h"

namespace {

const std::uintmax_t MAX_PICTURE_FILE_SIZE = 16u << 20;
// A decoded picture takes width x height x 4 bytes, whatever the size of its file.
const std::uint32_t MAX_PICTURE_SIDE = 8192;

std::uint32_t bigEndian(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// A JPEG's size is in its first frame header, after any number of other segments.
bool jpegSize(const std::string& bytes, std::uint32_t& width, std::uint32_t& height)
{
    std::size_t at = 2;
    while (at + 9 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
        const unsigned marker = static_cast<unsigned char>(bytes[at + 1]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            height = bigEndian(bytes, at + 5, 2);
            width = bigEndian(bytes, at + 7, 2);
            return true;
        }
        at += 2 + bigEndian(bytes, at + 2, 2);
    }
    return false;
}

// The size a picture file declares, read from its header before anything is decoded;
// false for a format whose size cannot be read that way.
bool declaredSize(const std::string& bytes, std::uint32_t& width, std::uint32_t& height)
{
    if (bytes.size() >= 24 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && bytes.compare(12, 4, "IHDR") == 0) {
        width = bigEndian(bytes, 16, 4);
        height = bigEndian(bytes, 20, 4);
        return true;
    }
    if (bytes.size() >= 10 && bytes.compare(0, 4, "GIF8") == 0) {
        width = littleEndian(bytes, 6, 2);
        height = littleEndian(bytes, 8, 2);
        return true;
    }
    if (bytes.size() >= 26 && bytes.compare(0, 2, "BM") == 0) {
        // Stored as signed numbers: a negative height is a picture stored top down.
        width = littleEndian(bytes, 18, 4);
        height = littleEndian(bytes, 22, 4);
        width = static_cast<std::int32_t>(width) < 0 ? 0u - width : width;
        height = static_cast<std::int32_t>(height) < 0 ? 0u - height : height;
        return true;
    }
    if (bytes.size() >= 4 && bytes.compare(0, 2, "\xFF\xD8") == 0)
        return jpegSize(bytes, width, height);
    return false;
}

bool fitsInMemory(const std::string& bytes)
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    return declaredSize(bytes, width, height) && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE;
}

} // namespace

void Manager_Texture::load()
{
    const std::string& path = m_Path.back();
    std::cout << " -- Chargement de l'image : " << path << std::endl;
    sf::Texture& texture = *m_Item.back();
    std::string bytes;
    if (readContentFile(path, MAX_PICTURE_FILE_SIZE, bytes) && fitsInMemory(bytes))
        texture.loadFromMemory(bytes.data(), bytes.size());
    else
        reportRefusedFile("image", path);
    texture.setSmooth(false);
    // Scrolling pictures slide their texture rectangle past the texture's edges.
    texture.setRepeated(true);
}
