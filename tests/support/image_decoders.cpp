#include "support/image_decoders.h"

#include <cstdio>
#include <sstream>

#include <sys/wait.h>

namespace qx::test {
namespace {

std::string Quoted(const std::string& path)
{
    std::string out = "'";
    for (char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Output of the form "P6\n<width> <height>\n255\n" and the pixel bytes.
DecodedPixels ParsePpm(const std::string& output, int status)
{
    DecodedPixels d;
    std::istringstream in(output);
    std::string magic;
    int maxValue = 0;
    in >> magic >> d.width >> d.height >> maxValue;
    in.get();
    const std::size_t bytes = static_cast<std::size_t>(d.width) * d.height * 3;
    const auto start = static_cast<std::size_t>(in.tellg());
    if (status != 0 || magic != "P6" || maxValue != 255 || !in || output.size() - start != bytes) {
        d.diagnostics = "status " + std::to_string(status) + ", output: " + output.substr(0, 200);
        return d;
    }
    d.rgb.assign(output.begin() + static_cast<std::ptrdiff_t>(start), output.end());
    d.ok = true;
    return d;
}

} // namespace

std::string RunAndCapture(const std::string& command, int* exitStatus)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = ::pclose(pipe);
    if (exitStatus) *exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

DecodedPixels DecodeWithPil(const std::string& path)
{
    const std::string script =
        "import sys\n"
        "from PIL import Image\n"
        "im = Image.open(sys.argv[1])\n"
        "im.load()\n"
        "im = im.convert('RGB')\n"
        "sys.stdout.buffer.write(b'P6\\n%d %d\\n255\\n' % im.size + im.tobytes())\n";
    int status = -1;
    const std::string out = RunAndCapture("/usr/bin/python3 -c " + Quoted(script) + " " + Quoted(path) + " 2>&1", &status);
    return ParsePpm(out, status);
}

DecodedPixels DecodeWithImageMagick(const std::string& path)
{
    int status = -1;
    const std::string out = RunAndCapture("convert " + Quoted(path) + " -type TrueColor -depth 8 ppm:- 2>/dev/null", &status);
    return ParsePpm(out, status);
}

} // namespace qx::test
