// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_template.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "project/component_stream.h"
#include "tests/project/expected_template_rows.h"
#include "tests/project/tpr_reader.h"

namespace ratewise {
namespace {

using test_support::ExpectedTemplateRows;
using test_support::ReadTpr;

void ExpectRows(const std::vector<test_support::TprRow>& actual,
                const std::vector<test_support::TprRow>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].path, expected[i].path) << "row " << i;
        EXPECT_EQ(actual[i].value, expected[i].value) << expected[i].path;
    }
}

TEST(ProjectTemplate, BothDecodeToTheDescribedPropertiesTagsAndValues)
{
    for (const bool pal : {true, false}) {
        SCOPED_TRACE(pal ? "PAL" : "NTSC film");
        const ProjectTemplate& tmpl = pal ? PalVcdTemplate() : NtscFilmVcdTemplate();
        const auto file = ReadTpr(tmpl.bytes);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->className, "TMPEGEncodeJobFile");
        EXPECT_EQ(file->objectName, "");
        EXPECT_EQ(file->headerLength, tmpl.bytes.size() - kProjectHeaderSize);
        ExpectRows(file->rows, ExpectedTemplateRows(pal));
    }
    EXPECT_EQ(NtscFilmVcdTemplate().bytes.size(), PalVcdTemplate().bytes.size() + 5);
}

TEST(ProjectTemplate, PatchOffsetsPointAtTheNamedValues)
{
    for (const ProjectTemplate* tmpl : {&PalVcdTemplate(), &NtscFilmVcdTemplate()}) {
        const auto file = ReadTpr(tmpl->bytes);
        ASSERT_TRUE(file);
        const auto offsetOf = [&](const std::string& path) {
            for (const auto& [name, offset] : file->valueOffsets)
                if (name == path)
                    return offset;
            return std::size_t{0};
        };
        EXPECT_EQ(tmpl->audioBitRateOffset, offsetOf("Job.MPEG.Audio.BitRate"));
        EXPECT_EQ(tmpl->videoBitRateOffset, offsetOf("Job.MPEG.Video.CBR_BitRate"));
        EXPECT_EQ(tmpl->sourceAspectRatioOffset, offsetOf("Job.SourceList[0].Video.AspectRatio"));
        EXPECT_EQ(tmpl->videoAspectRatioOffset, offsetOf("Job.MPEG.Video.AspectRatio"));
    }
    EXPECT_EQ(PalVcdTemplate().wideAspectRatio, 3);
    EXPECT_EQ(NtscFilmVcdTemplate().wideAspectRatio, 6);
}

TEST(ProjectTemplate, StorageTextIsZeroFreeAndRestoresTheFile)
{
    for (const ProjectTemplate* tmpl : {&PalVcdTemplate(), &NtscFilmVcdTemplate()}) {
        // The storage form only works because no genuine 0xAD occurs.
        EXPECT_EQ(std::count(tmpl->bytes.begin(), tmpl->bytes.end(), kStoredZeroByte), 0);
        const std::string text = tmpl->StorageText();
        EXPECT_EQ(text.find('\0'), std::string::npos);
        EXPECT_EQ(text.size(), tmpl->bytes.size());
        EXPECT_EQ(RestoreZeroBytes(text), tmpl->bytes);
        EXPECT_EQ(text.substr(0, 7), "\xFF\x0A\xAD"
                                     "JOB\xAD");
    }
}

TEST(ComponentStream, IntegersTakeTheSmallestSignedTag)
{
    EXPECT_EQ(IntegerTag(0), ValueTag::Int8);
    EXPECT_EQ(IntegerTag(127), ValueTag::Int8);
    EXPECT_EQ(IntegerTag(-128), ValueTag::Int8);
    EXPECT_EQ(IntegerTag(128), ValueTag::Int16);
    EXPECT_EQ(IntegerTag(-129), ValueTag::Int16);
    EXPECT_EQ(IntegerTag(32767), ValueTag::Int16);
    EXPECT_EQ(IntegerTag(32768), ValueTag::Int32);
    EXPECT_EQ(IntegerTag(-32769), ValueTag::Int32);

    const auto stream = EncodeComponentStream("T", {{"a", IntegerValue(-2)}, {"b", IntegerValue(-300)}});
    ASSERT_TRUE(stream);
    const std::vector<std::uint8_t> expected{'T',  'P',  'F', '0', 1,    'T',  0,    1, 'a',
                                             0x02, 0xFE, 1,   'b', 0x03, 0xD4, 0xFE, 0, 0};
    EXPECT_EQ(stream->bytes, expected);
}

TEST(ComponentStream, RefusesTextsLongerThanTheirLengthByte)
{
    const std::string longest(255, 'x');
    EXPECT_TRUE(EncodeComponentStream("T", {{longest, StringValue(longest)}}));
    EXPECT_FALSE(EncodeComponentStream("T", {{longest + "x", BooleanValue(true)}}));
    EXPECT_FALSE(EncodeComponentStream("T", {{"a", IdentifierValue(longest + "x")}}));
    // The read-only companion adds "_ReadOnly" to the name.
    EXPECT_FALSE(EncodeComponentStream("T", {{std::string(250, 'x'), BooleanValue(true), true}}));
}

} // namespace
} // namespace ratewise
