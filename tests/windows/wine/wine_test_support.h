#pragma once

// Small helpers of the Wine tests: files as byte strings and a failure
// count that prints every failed check.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace qx::wine_test {

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class Checks {
public:
    // Counts and prints a failed check; `what` names the case.
    void Expect(bool ok, const std::string& what)
    {
        ++run_;
        if (ok) return;
        ++failed_;
        std::printf("FAILED: %s\n", what.c_str());
    }

    template <class A, class B>
    void ExpectEq(const A& actual, const B& expected, const std::string& what)
    {
        std::ostringstream text;
        text << what << ": got " << actual << ", expected " << expected;
        Expect(actual == expected, text.str());
    }

    // Prints the closing line; the program's exit code.
    int Finish() const
    {
        std::printf("%d passed, %d failed\n", run_ - failed_, failed_);
        return failed_ == 0 ? 0 : 1;
    }

private:
    int run_ = 0;
    int failed_ = 0;
};

} // namespace qx::wine_test
