// The group table: creating, freeing and reusing group bits, the full table, and its bytes in the people file.
#include <QtTest>

#include "../TestSupport.h"
#include "groups/core/BinaryFields.h"
#include "groups/core/basGroup.h"

using namespace basGroup;

namespace {

struct Record
{
    qint32 count = 0;
    qint32 bit = 0;
    QString name;
    int position = -1;
};

Record At(int position)
{
    Record r;
    r.position = GetGroup(r.count, r.bit, r.name, position);
    return r;
}

QByteArray TableBytes()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteGroupTable(buffer);
    return buffer.data();
}

bool ReadTable(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadGroupTable(buffer);
}

} // namespace

class TestGroupTable : public QObject
{
    Q_OBJECT
private slots:
    void init() { basGroup::ResetForTests(); }
    void cleanup()
    {
        basGroup::ResetForTests();
        ResetAllState();
    }
    void createFreeAndReuse();
    void fullTable();
    void resetKeepsCurrentGroup();
    void positionsOutsideTheTable();
    void emptyTableBytes();
    void tableRoundTrip();
    void truncatedTableAtEveryOffset();
    void overlongNameCutAtCharacter_data();
    void overlongNameCutAtCharacter();
};

void TestGroupTable::createFreeAndReuse()
{
    SetGroup(QStringLiteral("A"), -1, 99, 99);
    SetGroup(QStringLiteral("B"), -1, 0, 0);
    SetGroup(QStringLiteral("C"), -1, 0, 0);
    QCOMPARE(At(0).bit, 1);
    QCOMPARE(At(0).count, 0); // the count and bit arguments play no part in creating
    QCOMPARE(At(1).bit, 2);
    QCOMPARE(At(2).bit, 4);
    QCOMPARE(At(2).name, QStringLiteral("C"));
    QCOMPARE(GroupMask(), 7);
    QCOMPARE(CurrentGroup(), 2);

    // Free B as the group list dialog does, then create D: it takes B's bit and place.
    AddGroupMask(-2);
    SetGroup(QString(), 1, 0, 0);
    QCOMPARE(CurrentGroup(), 1);
    QCOMPARE(FreeGroupBit(), 2);
    SetGroup(QStringLiteral("D"), -1, 0, 0);
    const Record d = At(-1);
    QCOMPARE(d.position, 1);
    QCOMPARE(d.bit, 2);
    QCOMPARE(d.name, QStringLiteral("D"));
    QCOMPARE(GroupMask(), 7);
    QCOMPARE(FreeGroupBit(), 8);
}

void TestGroupTable::fullTable()
{
    for (int k = 0; k < MaxGroups; ++k) {
        SetGroup(QStringLiteral("G%1").arg(k), -1, 0, 0);
        QCOMPARE(At(-1).position, k);
        QCOMPARE(At(-1).bit, qint32(1) << k);
    }
    QCOMPARE(GroupMask(), 0x3FFFFFFF);
    QCOMPARE(FreeGroupBit(), 0);
    const QByteArray before = TableBytes();
    SetCurrentGroup(5);
    SetGroup(QStringLiteral("31st"), -1, 0, 0);
    QCOMPARE(TableBytes(), before);
    QCOMPARE(CurrentGroup(), 5);
    // Position 30 is never given a group.
    QCOMPARE(At(30).bit, 0);
}

void TestGroupTable::resetKeepsCurrentGroup()
{
    SetGroup(QStringLiteral("A"), -1, 0, 0);
    SetGroup(QStringLiteral("B"), -1, 0, 0);
    SetGroup(QStringLiteral("x"), 7, 3, 128);
    QCOMPARE(CurrentGroup(), 7);
    ResetGroupTable();
    QCOMPARE(CurrentGroup(), 7);
    QCOMPARE(GroupMask(), 0);
    for (int p = 0; p < GroupSlots; ++p) {
        const Record r = At(p);
        QCOMPARE(r.count, 0);
        QCOMPARE(r.bit, 0);
        QVERIFY(r.name.isEmpty());
    }
}

void TestGroupTable::positionsOutsideTheTable()
{
    SetGroup(QStringLiteral("A"), -1, 0, 0);
    for (int position : {31, 32, -2, 1000000}) {
        Record r {5, 5, QStringLiteral("junk")};
        r.position = GetGroup(r.count, r.bit, r.name, position);
        QCOMPARE(r.position, -1);
        QCOMPARE(r.count, 0);
        QCOMPARE(r.bit, 0);
        QVERIFY(r.name.isEmpty());
        SetGroup(QStringLiteral("bad"), position, 1, 1);
        SetCurrentGroup(position);
    }
    QCOMPARE(CurrentGroup(), 0);
    QCOMPARE(At(-1).name, QStringLiteral("A"));
}

void TestGroupTable::emptyTableBytes()
{
    QCOMPARE(TableBytes(), QByteArray(314, '\0'));
}

void TestGroupTable::tableRoundTrip()
{
    SetGroup(QStringLiteral("家族"), -1, 0, 0);
    SetGroup(QStringLiteral("friends"), -1, 0, 0);
    SetGroup(QStringLiteral("家族"), 0, 3, 1);
    const QByteArray bytes = TableBytes();
    // mask, then record 0: count 3, bit 1, length 4, the four bytes of 家族 in code page 932.
    QCOMPARE(bytes.left(4), QByteArray::fromHex("03000000"));
    QCOMPARE(bytes.mid(4, 14),
             QByteArray::fromHex("03000000"
                                 "01000000"
                                 "0400"
                                 "89c691b0"));
    QCOMPARE(bytes.size(), 314 + 4 + 7);

    ResetForTests();
    QVERIFY(ReadTable(bytes));
    QCOMPARE(GroupMask(), 3);
    QCOMPARE(At(0).name, QStringLiteral("家族"));
    QCOMPARE(At(0).count, 3);
    QCOMPARE(At(1).name, QStringLiteral("friends"));
    QCOMPARE(At(1).bit, 2);
    QCOMPARE(TableBytes(), bytes);
}

void TestGroupTable::truncatedTableAtEveryOffset()
{
    SetGroup(QStringLiteral("家族"), -1, 0, 0);
    SetGroup(QStringLiteral("friends"), -1, 0, 0);
    const QByteArray bytes = TableBytes();
    for (int cut = 0; cut < bytes.size(); ++cut) {
        SetGroup(QStringLiteral("stale"), 29, 1, 1 << 29);
        QVERIFY2(!ReadTable(bytes.left(cut)), qPrintable(QStringLiteral("cut at %1").arg(cut)));
        if (cut >= 4) {
            // The records are cleared once the mask is read, so nothing stale survives a damaged table.
            QCOMPARE(At(29).bit, 0);
        }
        if (cut >= 4 + 14) {
            QCOMPARE(At(0).name, QStringLiteral("家族"));
        }
    }
}

void TestGroupTable::overlongNameCutAtCharacter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("writtenBytes");
    QTest::newRow("double-byte only") << QString(40000, QChar(0x3042)) << 65534;
    QTest::newRow("one single-byte first") << QStringLiteral("a") + QString(40000, QChar(0x3042)) << 65535;
    QTest::newRow("single-byte only") << QString(70000, QLatin1Char('x')) << 65535;
    QTest::newRow("exactly full") << QString(32767, QChar(0x3042)) + QStringLiteral("a") << 65535;
}

void TestGroupTable::overlongNameCutAtCharacter()
{
    QFETCH(QString, name);
    QFETCH(int, writtenBytes);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(BinaryFields::WriteCountedText(buffer, name));
    const QByteArray bytes = buffer.data();
    QCOMPARE(bytes.size(), 2 + writtenBytes);
    QCOMPARE(static_cast<int>(static_cast<quint8>(bytes[0]) | (static_cast<quint8>(bytes[1]) << 8)), writtenBytes);
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    const auto back = BinaryFields::ReadCountedText(buffer);
    QVERIFY(back);
    QVERIFY(name.startsWith(*back));
    QVERIFY(!back->contains(QChar(0xFFFD)));
}

QTEST_GUILESS_MAIN(TestGroupTable)
#include "tst_grouptable.moc"
