// Streams: the same read/write/seek/size behaviour from memory and file streams,
// file opening modes and errors, copying, and resource streams over a module.
#include "framework/FileStreams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "framework/SysUtils.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

std::string ReadAll(TStream& s) {
    s.SetPosition(0);
    std::string bytes(static_cast<size_t>(s.Size()), '\0');
    s.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void Write(TStream& s, const std::string& bytes) { s.WriteBuffer(bytes.data(), bytes.size()); }

struct StreamKind {
    const char* name;
    std::function<std::unique_ptr<TStream>(const std::string& fileName)> make;
};

const StreamKind kKinds[] = {
    {"memory", [](const std::string&) { return std::make_unique<TMemoryStream>(); }},
    {"file", [](const std::string& f) { return std::make_unique<TFileStream>(f, fmCreate); }},
};

TEST(Stream, ReadWriteSeekAndSizeBehaveAlikeInMemoryAndFiles) {
    for (const auto& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        test::TempDir dir;
        auto s = kind.make(dir.File("s.bin"));
        EXPECT_EQ(s->Size(), 0);
        Write(*s, "hello world");
        EXPECT_EQ(s->Position(), 11);
        EXPECT_EQ(s->Size(), 11);

        EXPECT_EQ(s->Seek(-5, soEnd), 6);
        char buf[16] = {};
        EXPECT_EQ(s->Read(buf, 3), 3u);
        EXPECT_EQ(std::string(buf, 3), "wor");
        EXPECT_EQ(s->Seek(-9, soCurrent), 0);
        EXPECT_THROW(s->Seek(-1, soCurrent), EStreamError);

        // Overwrite in the middle, then read past the end: a short read, then nothing.
        s->SetPosition(6);
        Write(*s, "W");
        s->SetPosition(8);
        EXPECT_EQ(s->Read(buf, sizeof buf), 3u);
        EXPECT_EQ(std::string(buf, 3), "rld");
        EXPECT_EQ(s->Read(buf, sizeof buf), 0u);
        s->SetPosition(100);
        EXPECT_EQ(s->Read(buf, 1), 0u);
        EXPECT_EQ(s->Size(), 11);

        // ReadBuffer wants every byte.
        s->SetPosition(9);
        EXPECT_THROW(s->ReadBuffer(buf, 3), EReadError);
        s->SetPosition(9);
        s->ReadBuffer(buf, 2);
        s->ReadBuffer(buf, 0);

        // Writing past the end fills the gap with zeros.
        s->SetPosition(13);
        Write(*s, "!");
        EXPECT_EQ(ReadAll(*s), std::string("hello World\0\0!", 14));

        // Shrinking moves a position that was past the new end; growing adds zeros.
        s->SetSize(5);
        EXPECT_EQ(s->Size(), 5);
        EXPECT_EQ(s->Position(), 5);
        s->SetPosition(1);
        s->SetSize(7);
        EXPECT_EQ(s->Position(), 1);
        EXPECT_EQ(ReadAll(*s), std::string("hello\0\0", 7));
        EXPECT_THROW(s->SetSize(-1), EStreamError);
    }
}

TEST(Stream, CopyFromCopiesACountOrTheWholeSource) {
    TMemoryStream source;
    Write(source, "0123456789");
    TMemoryStream target;

    source.SetPosition(7);
    EXPECT_EQ(target.CopyFrom(source, 0), 10);  // 0: everything, from the start
    EXPECT_EQ(ReadAll(target), "0123456789");

    target.Clear();
    source.SetPosition(2);
    EXPECT_EQ(target.CopyFrom(source, 3), 3);
    EXPECT_EQ(source.Position(), 5);
    EXPECT_EQ(ReadAll(target), "234");

    source.SetPosition(8);
    EXPECT_THROW(target.CopyFrom(source, 5), EReadError);

    // Larger than the copy buffer, into a file.
    test::TempDir dir;
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    TMemoryStream bigSource;
    Write(bigSource, big);
    TFileStream file(dir.File("copy.bin"), fmCreate);
    EXPECT_EQ(file.CopyFrom(bigSource, 0), 200000);
    EXPECT_EQ(ReadAll(file), big);
}

TEST(MemoryStream, MemoryClearAndFiles) {
    TMemoryStream s;
    Write(s, "abc");
    EXPECT_EQ(std::memcmp(s.Memory(), "abc", 3), 0);
    static_cast<char*>(s.Memory())[1] = 'B';
    EXPECT_EQ(ReadAll(s), "aBc");
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);

    test::TempDir dir;
    const std::string name = dir.File("m.bin");
    Write(s, std::string("\0\xFF\r\n", 4));
    s.SaveToFile(name);
    EXPECT_EQ(test::ReadFileBytes(name), std::string("\0\xFF\r\n", 4));

    TMemoryStream loaded;
    Write(loaded, "stale content");
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.Size(), 4);
    EXPECT_EQ(loaded.Position(), 0);
    EXPECT_EQ(ReadAll(loaded), std::string("\0\xFF\r\n", 4));

    TMemoryStream viaStream;
    viaStream.LoadFromStream(loaded);
    TMemoryStream saved;
    viaStream.SaveToStream(saved);
    EXPECT_EQ(ReadAll(saved), std::string("\0\xFF\r\n", 4));

    EXPECT_THROW(loaded.LoadFromFile(dir.File("absent.bin")), EFOpenError);
    EXPECT_THROW(s.SaveToFile(dir.File("none\\m.bin")), EFCreateError);
}

TEST(FileStream, OpenErrorsNameTheFileWithTheSystemReason) {
    test::TempDir dir;
    struct Case {
        std::string fileName;
        unsigned mode;
        bool create;
        DWORD reason;
    } cases[] = {
        {dir.File("absent.bin"), fmOpenRead, false, ERROR_FILE_NOT_FOUND},
        {dir.File("absent.bin"), fmOpenReadWrite | fmShareDenyNone, false, ERROR_FILE_NOT_FOUND},
        {dir.File("no\\dir.bin"), fmCreate, true, ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        try {
            TFileStream s(c.fileName, c.mode);
            ADD_FAILURE() << "no exception";
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(c.create);
            EXPECT_EQ(e.FileName, c.fileName);
            EXPECT_NE(e.Message.find(c.fileName), std::string::npos) << e.Message;
            EXPECT_NE(e.Message.find(SysErrorMessage(c.reason)), std::string::npos) << e.Message;
        } catch (const EFOpenError& e) {
            EXPECT_FALSE(c.create);
            EXPECT_EQ(e.FileName, c.fileName);
            EXPECT_NE(e.Message.find(c.fileName), std::string::npos) << e.Message;
            EXPECT_NE(e.Message.find(SysErrorMessage(c.reason)), std::string::npos) << e.Message;
        }
    }
}

TEST(FileStream, AccessAndShareModes) {
    test::TempDir dir;
    const std::string name = dir.File("f.bin");
    test::WriteFileBytes(name, "data");

    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(reader.FileName(), name);
        EXPECT_EQ(ReadAll(reader), "data");
        EXPECT_THROW(Write(reader, "x"), EWriteError);  // opened for reading only
        EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
        TFileStream second(name, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(ReadAll(second), "data");
    }
    {
        TFileStream exclusive(name, fmOpenReadWrite | fmShareExclusive);
        EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream writer(name, fmOpenWrite | fmShareDenyNone);
        writer.Seek(0, soEnd);
        Write(writer, "+more");
    }
    EXPECT_EQ(test::ReadFileBytes(name), "data+more");
    {
        TFileStream created(name, fmCreate);  // truncates
        EXPECT_EQ(created.Size(), 0);
    }
    EXPECT_EQ(test::ReadFileBytes(name), "");
}

TEST(FileStream, PositionsAndSizesBeyondFourGigabytes) {
    test::TempDir dir;
    const std::string name = dir.File("big.bin");
    const int64_t beyond = (int64_t(1) << 32) + 5;
    {
        TFileStream s(name, fmCreate);
        EXPECT_EQ(s.Seek(beyond, soBeginning), beyond);
        Write(s, "xyz");
        EXPECT_EQ(s.Size(), beyond + 3);
        EXPECT_EQ(s.Seek(-3, soEnd), beyond);
        char buf[3];
        s.ReadBuffer(buf, 3);
        EXPECT_EQ(std::string(buf, 3), "xyz");
        s.SetSize(beyond + 1);
        EXPECT_EQ(s.Size(), beyond + 1);
    }
    EXPECT_EQ(FileSize(name), beyond + 1);
    TFileStream s(name, fmOpenReadWrite);
    s.SetSize(2);
    EXPECT_EQ(s.Size(), 2);
}

TEST(ResourceStream, ReadsAResourceOfALoadedModule) {
    OwnedModule module(::LoadLibraryExW(Widen(test::FixturePath("verinfo.exe")).c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module) << ::GetLastError();

    TResourceStream byId(module.Get(), MAKEINTRESOURCEW(1), RT_VERSION);
    const int64_t size = byId.Size();
    ASSERT_GT(size, 40);
    // VS_VERSIONINFO: its own length, the value length, the type, then the key.
    uint16_t header[3];
    byId.ReadBuffer(header, sizeof header);
    EXPECT_EQ(header[0], size);
    const wchar_t key[] = L"VS_VERSION_INFO";
    std::wstring read(std::size(key) - 1, L'\0');
    byId.ReadBuffer(read.data(), read.size() * sizeof(wchar_t));
    EXPECT_EQ(read, key);

    const std::string all = ReadAll(byId);
    const std::wstring company = L"Fixture Works";
    EXPECT_NE(all.find(std::string(reinterpret_cast<const char*>(company.data()), company.size() * 2)),
              std::string::npos);
    EXPECT_EQ(std::memcmp(byId.Memory(), all.data(), all.size()), 0);
    byId.SetPosition(size);
    char c;
    EXPECT_EQ(byId.Read(&c, 1), 0u);

    // A "#n" name finds the same resource; the resource cannot be changed.
    TResourceStream byName(module.Get(), std::string("#1"), RT_VERSION);
    EXPECT_EQ(ReadAll(byName), all);
    EXPECT_THROW(Write(byName, "x"), EStreamError);
    EXPECT_THROW(byName.SetSize(0), EStreamError);
    EXPECT_EQ(ReadAll(byName), all);
}

TEST(ResourceStream, MissingResourcesRaise) {
    OwnedModule module(::LoadLibraryExW(Widen(test::FixturePath("verinfo.exe")).c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module);
    auto message = [](auto&& fn) {
        try {
            fn();
        } catch (const EResNotFound& e) {
            return e.Message;
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { TResourceStream(module.Get(), std::string("NOPE"), RT_RCDATA); }),
              "Resource NOPE not found");
    EXPECT_EQ(message([&] { TResourceStream(module.Get(), MAKEINTRESOURCEW(77), RT_VERSION); }),
              "Resource 77 not found");
    EXPECT_EQ(message([&] { TResourceStream(module.Get(), MAKEINTRESOURCEW(1), RT_RCDATA); }),
              "Resource 1 not found");
}

}  // namespace
}  // namespace ad
