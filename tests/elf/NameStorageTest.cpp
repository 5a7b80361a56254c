// Symbol name texts share large blocks: every text must keep its characters while more
// are added, across block boundaries, and byte values above 127 must survive.
#include "elf/NameStorage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(NameStorage, TextsStayValidAcrossBlocks)
{
    NameStorage storage;
    storage.expect(10);
    std::vector<std::string> names;
    std::vector<QString> texts;
    // Well over one largest block (1 Mi characters) in all, with one longer name.
    for (int i = 0; i < 120000; ++i)
        names.push_back("symbol_" + std::to_string(i) + (i == 5000 ? std::string(1100000, 'x') : ""));
    for (const std::string& name : names)
        texts.push_back(storage.add(name.data(), name.size()));
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(texts[i].toLatin1().toStdString(), names[i]) << i;
}

TEST(NameStorage, EightBitBytesAndEmptyNames)
{
    NameStorage storage;
    const char bytes[] = "\xe9t\xe9\xff";
    QString text = storage.add(bytes, 4);
    EXPECT_EQ(text.size(), 4);
    EXPECT_EQ(text[0].unicode(), 0xe9);
    EXPECT_EQ(text[3].unicode(), 0xff);
    EXPECT_EQ(text.toLatin1(), QByteArray(bytes, 4));
    EXPECT_TRUE(storage.add("", 0).isEmpty());
}

TEST(NameStorage, ChangedCopyOwnsItsCharacters)
{
    NameStorage storage;
    QString copy = storage.add("main", 4);
    copy += QStringLiteral("_copy");
    storage.clear();
    EXPECT_EQ(copy, QStringLiteral("main_copy"));
}
