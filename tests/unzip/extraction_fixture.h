#pragma once
// Runs the extraction as the module does, with the launcher's options and
// limits the test may lower, and records what the callbacks were told.

#include "support/temp_dir.h"
#include "support/zip_builder.h"
#include "unzip/extraction.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace krv::unzip {

class ExtractionFixture : public ::testing::Test {
protected:
    ExtractionFixture() {
        options_.overwriteAlways = 1;
        options_.archivePath = nullptr;
        options_.targetFolder = nullptr;
    }

    std::int32_t extract(const std::filesystem::path& archive) {
        const std::string archivePath = archive.string();
        const std::string folder = out_.string();
        options_.archivePath = archivePath.c_str();
        options_.targetFolder = folder.c_str();
        UzpCallbacks callbacks{};
        callbacks.print = [](void* self, const char* text) {
            static_cast<ExtractionFixture*>(self)->printed_ += text;
        };
        callbacks.listing = [](void* self, const UzpMemberInfo* member) {
            static_cast<ExtractionFixture*>(self)->listed_.push_back(member->name);
        };
        callbacks.password = [](void* self, char* buffer, std::int32_t size, const char* member) {
            auto& fixture = *static_cast<ExtractionFixture*>(self);
            fixture.askedFor_.push_back(member);
            if (fixture.passwords_.empty())
                return 1;
            std::snprintf(buffer, static_cast<std::size_t>(size), "%s",
                          fixture.passwords_.front().c_str());
            fixture.passwords_.pop_front();
            return 0;
        };
        callbacks.context = this;
        const std::int32_t result = run(Request{options_, {}, {}}, callbacks, limits_);
        memberCount_ = callbacks.memberCount;
        return result;
    }

    std::int32_t extract(const test::ZipBuilder& zip) {
        zip.write(dir_ / "test.zip");
        return extract(dir_ / "test.zip");
    }

    std::int32_t extractRaw(const std::vector<test::RawMember>& members) {
        test::writeFile(dir_ / "test.zip", test::rawZip(members));
        return extract(dir_ / "test.zip");
    }

    // Names in the target folder; a leftover temporary file shows here too.
    std::set<std::string> written() const {
        std::set<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(out_, ec))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::string read(const std::string& name) const { return test::readFile(out_ / name); }

    test::TempDir dir_;
    std::filesystem::path out_ = dir_ / "out";
    UzpOptions options_{};
    Limits limits_;
    std::deque<std::string> passwords_; // answers given in turn; none left refuses
    std::vector<std::string> askedFor_;
    std::vector<std::string> listed_;
    std::string printed_;
    std::uint32_t memberCount_ = 0;
};

} // namespace krv::unzip
