#include "app/bmp/write_screen_bitmap.h"

#include "app/bmp/bmp_file.h"
#include "app/bmp/bmp_image.h"

namespace qx::bmp {

bool WriteScreenBitmap(const Bitmap& screen, platform::FileStore& files, const std::string& path)
{
    const std::optional<BmpImage> image = BuildBmpImage(screen, DefaultDevicePalette());
    return image && WriteBmpFile(files, path, image->header, image->pixels, image->colours);
}

} // namespace qx::bmp
