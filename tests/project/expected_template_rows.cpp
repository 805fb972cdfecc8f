// SPDX-License-Identifier: GPL-3.0-or-later
// Expected template contents, row by row, in stream order.
#include "tests/project/expected_template_rows.h"

#include <cmath>
#include <cstdint>

namespace ratewise::test_support {
namespace {

std::string Int(int bits, long value)
{
    return "int" + std::to_string(bits) + " " + std::to_string(value);
}
std::string Str(const std::string& text)
{
    return "string \"" + text + "\"";
}
std::string Ident(const std::string& name)
{
    return "ident " + name;
}

std::string Binary(const std::vector<int>& values)
{
    std::vector<std::uint8_t> bytes(values.begin(), values.end());
    return "binary " + HexBytes(bytes);
}

const std::string kStart = "ext ae 47 e1 7a 14 ae 07 aa 0a 40"; // 2720.48
const std::string kEnd = "ext 9a 99 99 99 99 99 b1 aa 0b 40";   // 5462.2

// A property and its read-only flag: "-" for none, else "true" or "false".
void Add(std::vector<TprRow>& rows, const std::string& name, const std::string& value,
         const std::string& ro = "-")
{
    rows.push_back({name, value});
    if (ro != "-")
        rows.push_back({name + "_ReadOnly", ro});
}

void AddItem(std::vector<TprRow>& rows)
{
    const std::string p = "Job.SourceList[0].";
    auto add = [&](const std::string& name, const std::string& value) { rows.push_back({p + name, value}); };
    add("Video.SourceFileName", Str(""));
    add("Video.SourceRange.Enabled", "false");
    add("Video.SourceRange.StartTime", kStart);
    add("Video.SourceRange.EndTime", kEnd);
    add("Video.InterlaceImage", "false");
    add("Video.TopFieldFirst", "false");
    add("Video.AspectRatio", Int(8, 14));
    add("Video.ImageArrange.ArrangeType", Ident("MPEGVideoConfig_ImageArrangeType_FullScreen"));
    add("Video.ImageArrange.Width", Int(16, 320));
    add("Video.ImageArrange.Height", Int(16, 240));
    add("Video.ImageArrange.FillColor", Int(8, 0));
    add("Video.EnableNoiseReduction", "false");
    add("Video.NoiseReduction", Int(8, 20));
    add("Video.NoiseReductionRange", Int(8, 1));
    add("Video.NoiseReduction3D", Int(8, 20));
    add("Video.NoiseReduction3DHiCQ", "false");
    add("Video.EnableEdgePower", "false");
    add("Video.EdgePowerX", Int(8, 0));
    add("Video.EdgePowerY", Int(8, 0));
    add("Video.EdgePowerField", "false");
    add("Video.EnableDeinterlace", "false");
    add("Video.Deinterlace", Ident("VideoFilter_Deinterlace_None"));
    add("Video.DeinterlaceEx.Enabled", "false");
    add("Video.DeinterlaceEx.FrameRate1", Int(8, 4));
    add("Video.DeinterlaceEx.FrameRate2", Int(8, 5));
    add("Video.DeinterlaceEx.AutoProcess", "false");
    add("Video.DeinterlaceEx.AutoType",
        Ident("MPEGEncodeJob_Source_Video_DeinterlaceEx_AutoType_24fps_Interlace"));
    add("Video.DeinterlaceEx.AutoDeinterlaceType",
        Ident("MPEGEncodeJob_Source_Video_DeinterlaceEx_Auto_Deinterlace_Force"));
    add("Video.DeinterlaceEx.AutoForceDeinterlaceType", Ident("VideoFilter_Deinterlace_None"));
    add("Video.DeinterlaceEx.AutoDeinterlaceThreshold", Int(16, 600));
    add("Video.DeinterlaceEx.List", Binary({6, 0, 0, 0, 0, 0, 0, 0}));
    add("Video.DeinterlaceEx.Cache", "binary ");
    add("Video.Clipping.Enabled", "false");
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        add(std::string("Video.Clipping.") + side, Int(8, 0));
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        add(std::string("Video.Clipping.") + side + "Mask", "false");
    add("Video.EnableGhostReduction", "false");
    add("Video.GhostReduction", "collection 0");
    add("Video.ColorCorrection.Enabled", "false");
    for (const char* name : {"Brightness", "Contrast", "Gamma", "RedContrast", "BlueContrast"})
        add(std::string("Video.ColorCorrection.") + name, Int(8, 0));
    add("Video.ColorCorrection.EnableCustom", "false");
    add("Video.ColorCorrection.Customs", "collection 0");
    add("Video.EnableForceIPict", "false");
    add("Video.ForceIPict", "collection 0");
    add("Video.AutoForceIPict", "true");
    add("Video.Enable32Pulldown", "false");
    add("Video.NoConvertFrameRate", "false");
    add("Audio.SourceFileName", Str(""));
    add("Audio.SourceRange.Enabled", "false");
    add("Audio.SourceRange.StartTime", kStart);
    add("Audio.SourceRange.EndTime", kEnd);
    add("Audio.Effect.Enabled", "false");
    add("Audio.Effect.EnableVolume", "true");
    add("Audio.Effect.Volume", ExactExtendedHex(1.5));
    add("Audio.Effect.EnableFadeIn", "true");
    add("Audio.Effect.FadeInTime", Int(16, 500));
    add("Audio.Effect.EnableFadeOut", "true");
    add("Audio.Effect.FadeOutTime", Int(16, 500));
}

} // namespace

std::string ExactExtendedHex(double value)
{
    std::vector<std::uint8_t> bytes(10, 0);
    if (value != 0) {
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &exponent); // in [0.5, 1)
        const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        const int biased = exponent - 1 + 16383;
        for (int i = 0; i < 8; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
        bytes[8] = static_cast<std::uint8_t>(biased & 0xFF);
        bytes[9] = static_cast<std::uint8_t>((biased >> 8) | (value < 0 ? 0x80 : 0));
    }
    return "ext " + HexBytes(bytes);
}

bool SetRow(std::vector<TprRow>& rows, const std::string& path, const std::string& value)
{
    for (TprRow& row : rows) {
        if (row.path == path) {
            row.value = value;
            return true;
        }
    }
    return false;
}

std::vector<TprRow> ExpectedTemplateRows(bool pal)
{
    const std::string zero = ExactExtendedHex(0), twenty = ExactExtendedHex(20), fifty = ExactExtendedHex(50);
    std::vector<TprRow> r;
    Add(r, "Job.MPEG.Text", Str(pal ? "$$VCD_PAL" : "$$VCD_NTSCFilm"));
    Add(r, "Job.MPEG.WizardCategoryName", Str("$$HIDE"));
    Add(r, "Job.MPEG.WizardSubFormatName", Str(""));
    Add(r, "Job.MPEG.WizardCaption", Str(""));
    Add(r, "Job.MPEG.WizardDescription", Str(""));
    Add(r, "Job.MPEG.OutputStreamType", Ident("MPEG_OutputStreamType_System_VideoAudio"), "true");
    Add(r, "Job.MPEG.Video.StreamType", Ident("MPEGVideoEncoder_StreamType_MPEG1"), "true");
    Add(r, "Job.MPEG.Video.Width", Int(16, 352), "true");
    Add(r, "Job.MPEG.Video.Height", Int(16, pal ? 288 : 240), "true");
    Add(r, "Job.MPEG.Video.YUVFormat", Int(8, 1), "true");
    Add(r, "Job.MPEG.Video.DC_prec", Int(8, 0), "true");
    Add(r, "Job.MPEG.Video.VideoEncodeMode", Ident("MPEGVideoEncoder_VideoEncodeMode_Progressive"), "false");
    Add(r, "Job.MPEG.Video.FrameRate", Int(8, pal ? 3 : 1), "true");
    Add(r, "Job.MPEG.Video.AspectRatio", Int(8, pal ? 8 : 12), "true");
    Add(r, "Job.MPEG.Video.RateControlMode", Ident("MPEGVideoEncoder_RateControlMode_CBR"), "true");
    Add(r, "Job.MPEG.Video.MaxBitRate", Int(8, 0), "false");
    Add(r, "Job.MPEG.Video.MinBitRate", Int(8, 0), "false");
    Add(r, "Job.MPEG.Video.CBR_BitRate", Int(32, 1150000));
    Add(r, "Job.MPEG.Video.VBR_MultipassVBRAlgorithm",
        Ident("MPEGVideoEncoder_MultipassVBRAlgorithm_MultipassCQ"));
    Add(r, "Job.MPEG.Video.VBR_AvgBitRate", Int(32, 1150000));
    Add(r, "Job.MPEG.Video.VBR_MaxBitRate", Int(32, 1150000));
    Add(r, "Job.MPEG.Video.VBR_MinBitRate", Int(8, 0));
    Add(r, "Job.MPEG.Video.VBR_MaxPassCount", Int(8, 2));
    Add(r, "Job.MPEG.Video.VBR_Quality_P", zero);
    Add(r, "Job.MPEG.Video.VBR_Quality_B", twenty);
    Add(r, "Job.MPEG.Video.VBR_EnablePadding", "false");
    Add(r, "Job.MPEG.Video.MVBR_MaxBitRate", Int(32, 3000000));
    Add(r, "Job.MPEG.Video.MVBR_MinBitRate", Int(8, 0));
    Add(r, "Job.MPEG.Video.MVBR_Quality_P", zero);
    Add(r, "Job.MPEG.Video.MVBR_Quality_B", twenty);
    Add(r, "Job.MPEG.Video.MVBR_EnablePadding", "false");
    Add(r, "Job.MPEG.Video.AVBR_Quality", fifty);
    Add(r, "Job.MPEG.Video.AVBR_MaxBitRate", Int(32, 3000000));
    Add(r, "Job.MPEG.Video.AVBR_MinBitRate", Int(8, 0));
    Add(r, "Job.MPEG.Video.AVBR_EnablePadding", "false");
    Add(r, "Job.MPEG.Video.CQ_Quality", fifty);
    Add(r, "Job.MPEG.Video.CQ_Quality_P", zero);
    Add(r, "Job.MPEG.Video.CQ_Quality_B", twenty);
    Add(r, "Job.MPEG.Video.CQ_MaxBitRate", Int(32, 3000000));
    Add(r, "Job.MPEG.Video.CQ_MinBitRate", Int(8, 0));
    Add(r, "Job.MPEG.Video.CQ_EnablePadding", "false");
    Add(r, "Job.MPEG.Video.VBVBufferSize", Int(32, 40960), "true");
    Add(r, "Job.MPEG.Video.GOP_SeqHeaderInterval", Int(8, 1), "true");
    Add(r, "Job.MPEG.Video.GOP_I_FrameCount", Int(8, 1), "false");
    Add(r, "Job.MPEG.Video.GOP_P_FrameCount", Int(8, 5), "false");
    Add(r, "Job.MPEG.Video.GOP_B_FrameCount", Int(8, 2), "false");
    Add(r, "Job.MPEG.Video.GOP_BitStreamForEdit", "false", "false");
    Add(r, "Job.MPEG.Video.GOP_MaxFrameCount", Int(8, 0), "false");
    Add(r, "Job.MPEG.Video.QuantizeMatrix_Intra_ReadOnly", "false");
    Add(r, "Job.MPEG.Video.QuantizeMatrix_NonIntra_ReadOnly", "false");
    Add(r, "Job.MPEG.Video.Profile", Int(8, 4), "false");
    Add(r, "Job.MPEG.Video.Level", Int(8, 8), "false");
    Add(r, "Job.MPEG.Video.VideoFormat", Int(8, 2), "false");
    Add(r, "Job.MPEG.Video.DisplayWidth", Int(8, 0), "true");
    Add(r, "Job.MPEG.Video.DisplayHeight", Int(8, 0), "true");
    Add(r, "Job.MPEG.Video.MotionSearchSpeed", Ident("MPEGVideoEncoder_MotionSearchSpeed_Normal"));
    Add(r, "Job.MPEG.Video.MotionSearch_AlwaysHalfPel", "false");
    Add(r, "Job.MPEG.Video.UseFloatDCT", "false");
    Add(r, "Job.MPEG.Video.QuantizeMode", "false");
    Add(r, "Job.MPEG.Video.QuantizeModeVal_Intra", Int(8, 35));
    Add(r, "Job.MPEG.Video.QuantizeModeVal_NonIntra", Int(8, 35));
    Add(r, "Job.MPEG.Video.YUVBasicYCbCr", "false");
    // ISO/IEC 11172-2 default intra matrix.
    Add(r, "Job.MPEG.Video.QuantizeMatrix_Intra",
        Binary({8,  16, 19, 22, 26, 27, 29, 34, 16, 16, 22, 24, 27, 29, 34, 37, 19, 22, 26, 27, 29, 34,
                34, 38, 22, 22, 26, 27, 29, 34, 37, 40, 22, 26, 27, 29, 32, 35, 40, 48, 26, 27, 29, 32,
                35, 40, 48, 58, 26, 27, 29, 34, 38, 46, 56, 69, 27, 29, 35, 38, 46, 56, 69, 83}));
    Add(r, "Job.MPEG.Video.QuantizeMatrix_NonIntra",
        Binary({16, 17, 18, 19, 20, 21, 22, 23, 17, 18, 19, 20, 21, 22, 23, 24, 18, 19, 20, 21, 22, 23,
                24, 25, 19, 20, 21, 22, 23, 24, 26, 27, 20, 21, 22, 23, 25, 26, 27, 28, 21, 22, 23, 24,
                26, 27, 28, 30, 22, 23, 24, 26, 27, 28, 30, 31, 23, 24, 25, 27, 28, 30, 31, 33}));
    Add(r, "Job.MPEG.Audio.StreamType", Ident("MPEGAudioEncoder_StreamType_MPEG1_Layer2"), "true");
    Add(r, "Job.MPEG.Audio.SamplingFrequency", Int(32, 44100), "true");
    Add(r, "Job.MPEG.Audio.ChannelMode", Int(8, 0), "false");
    Add(r, "Job.MPEG.Audio.CantUseMono", "true");
    Add(r, "Job.MPEG.Audio.BitRate", Int(32, 224000), "true");
    Add(r, "Job.MPEG.Audio.CalcCRC", "false", "false");
    Add(r, "Job.MPEG.Audio.OriginalFlag", "false", "false");
    Add(r, "Job.MPEG.Audio.CopyrightFlag", "false", "false");
    Add(r, "Job.MPEG.Audio.PrivateFlag", "false", "false");
    Add(r, "Job.MPEG.Audio.EmphasisType", Int(8, 0), "false");
    Add(r, "Job.MPEG.System.StreamType", Ident("MPEGSystemEncoder_StreamType_MPEG1_VideoCD"), "true");
    Add(r, "Job.MPEG.System.CommentText", Str("Created By Ratewise"));
    Add(r, "Job.MPEG.System.EnableCommentText", "false");
    Add(r, "Job.SourceList", "collection 1");
    AddItem(r);
    Add(r, "Job.OutputFileName", Str(""));
    Add(r, "Job.OutputFileType", Ident("MPEGEncodeJob_OutputFileType_MPEG"));
    Add(r, "Job.OutputConfig_AVI.OutputFileName", Str(""));
    Add(r, "Job.OutputConfig_AVI.EnableVideo", "false");
    Add(r, "Job.OutputConfig_AVI.VideoCodecHandler", Int(8, 0));
    Add(r, "Job.OutputConfig_AVI.VideoKeyFrameRate", Int(8, 0));
    Add(r, "Job.OutputConfig_AVI.VideoDataRate", Int(8, 0));
    Add(r, "Job.OutputConfig_AVI.VideoQuality", Int(8, 0));
    Add(r, "Job.OutputConfig_AVI.VideoEnableForceKeyFrame", "false");
    Add(r, "Job.OutputConfig_AVI.VideoEnableForceCopyFrame", "false");
    Add(r, "Job.OutputConfig_AVI.EnableAudio", "false");
    Add(r, "Job.OutputConfig_AVI.InterleaveFrames", Int(8, 0));
    Add(r, "Job.OutputConfig_AVI.VideoCodecConfig", Binary({0, 0, 0, 0}));
    Add(r, "Job.OutputConfig_AVI.AudioFormat", Binary({0, 0, 0, 0}));
    Add(r, "Job.OutputConfig_Wave.OutputFileName", Str(""));
    Add(r, "Job.OutputConfig_Wave.Format", Binary({0, 0, 0, 0}));
    Add(r, "Job.OutputConfig_Graphic.OutputType", Ident("MPEGEncodeJob_OutputGraphicConfig_OutputType_BMP"));
    Add(r, "Job.OutputConfig_Graphic.OutputFileName", Str(""));
    Add(r, "Job.OutputConfig_Graphic.JPEGCompressionQuality", Int(8, 80));
    return r;
}

} // namespace ratewise::test_support
