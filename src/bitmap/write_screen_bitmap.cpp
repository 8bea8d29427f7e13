#include "bitmap/write_screen_bitmap.h"

#include "bitmap/bmp_file.h"
#include "bitmap/bmp_image.h"

namespace qx::bitmap {

bool WriteScreenBitmap(const Bitmap& screen, platform::FileStore& files, const std::string& path)
{
    const std::optional<BmpImage> image = BuildBmpImage(screen, DefaultDevicePalette());
    return image && WriteBmpFile(files, path, image->header, image->pixels, image->colours);
}

} // namespace qx::bitmap
