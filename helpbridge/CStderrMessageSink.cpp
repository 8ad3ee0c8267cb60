#include "helpbridge/CStderrMessageSink.h"

#include <cstdio>

void CStderrMessageSink::Show(std::string_view caption, std::string_view text)
{
    std::fwrite(caption.data(), 1, caption.size(), stderr);
    std::fputc('\n', stderr);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}
