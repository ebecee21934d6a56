// Colour texts of the settings file: any text converts or is refused, and a converted colour's own text
// converts back to it.
#include "FuzzSupport.h"
#include "graph/basGraph.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    quint32 colour = 0x12345678;
    if (basGraph::ColorFromText(InputText(data, size), colour) != AppError::None) {
        FUZZ_CHECK(colour == 0x12345678);
        return 0;
    }
    FUZZ_CHECK(colour <= 0xFFFFFF);
    QString text;
    FUZZ_CHECK(basGraph::ColorToText(colour, text) == AppError::None);
    FUZZ_CHECK(text.size() == 9);
    quint32 back = 0;
    FUZZ_CHECK(basGraph::ColorFromText(text, back) == AppError::None);
    FUZZ_CHECK(back == colour);
    return 0;
}
