// The people file kirvo.dat: any bytes read without harm, and what the writer makes of the list read (with its
// group table) reads back to the same file.
#include <QBuffer>
#include <QByteArray>

#include "FuzzSupport.h"
#include "groups/core/basGroup.h"
#include "people/core/basUserInfo.h"
#include "people/core/cUserName.h"

namespace {

basUserInfo::ReadResult Read(const QByteArray& bytes, PeopleList& list)
{
    basGroup::ResetForTests();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return basUserInfo::ReadPeople(buffer, list);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PeopleList list;
    if (Read(InputBytes(data, size), list) == basUserInfo::ReadResult::BadVersion) {
        FUZZ_CHECK(list.Count() == 0);
        return 0;
    }
    const QByteArray written = basUserInfo::PeopleFileBytes(list);
    PeopleList again;
    FUZZ_CHECK(Read(written, again) == basUserInfo::ReadResult::Complete);
    FUZZ_CHECK(again.Count() == list.Count());
    FUZZ_CHECK(basUserInfo::PeopleFileBytes(again) == written);
    return 0;
}
