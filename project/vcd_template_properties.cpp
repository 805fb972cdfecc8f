// SPDX-License-Identifier: GPL-3.0-or-later
// The Video CD project templates as a list of properties: MPEG-1 video 352 wide at a constant
// bitrate, MPEG-1 Layer II audio at 44100 Hz, a Video CD system stream, one source item.
#include "project/vcd_template_properties.h"

#include <array>

namespace ratewise {
namespace {

ComponentValue Int(std::int32_t value)
{
    return IntegerValue(value);
}
ComponentValue Str(std::string_view text)
{
    return StringValue(text);
}
ComponentValue Ident(std::string_view name)
{
    return IdentifierValue(name);
}
ComponentValue Ext(const Extended80& value)
{
    return ExtendedValue(value);
}
ComponentValue False()
{
    return BooleanValue(false);
}
ComponentValue True()
{
    return BooleanValue(true);
}
ComponentValue EmptyCollection()
{
    return CollectionValue({});
}
ComponentValue ZeroBytes(std::size_t count)
{
    return BinaryValue(std::vector<std::uint8_t>(count, 0));
}

constexpr Extended80 kZero = ExtendedLiteral("0");
constexpr Extended80 kTwenty = ExtendedLiteral("20");
constexpr Extended80 kFifty = ExtendedLiteral("50");
constexpr Extended80 kRangeStart = ExtendedLiteral("2720.48");
constexpr Extended80 kRangeEnd = ExtendedLiteral("5462.2");
constexpr Extended80 kVolume = ExtendedLiteral("1.5");

// The default intra matrix of MPEG-1 video, row by row.
constexpr std::array<std::uint8_t, 64> kIntraMatrix{
    8,  16, 19, 22, 26, 27, 29, 34, 16, 16, 22, 24, 27, 29, 34, 37, 19, 22, 26, 27, 29, 34,
    34, 38, 22, 22, 26, 27, 29, 34, 37, 40, 22, 26, 27, 29, 32, 35, 40, 48, 26, 27, 29, 32,
    35, 40, 48, 58, 26, 27, 29, 34, 38, 46, 56, 69, 27, 29, 35, 38, 46, 56, 69, 83,
};

// The non-intra matrix the templates carry, row by row.
constexpr std::array<std::uint8_t, 64> kNonIntraMatrix{
    16, 17, 18, 19, 20, 21, 22, 23, 17, 18, 19, 20, 21, 22, 23, 24, 18, 19, 20, 21, 22, 23,
    24, 25, 19, 20, 21, 22, 23, 24, 26, 27, 20, 21, 22, 23, 25, 26, 27, 28, 21, 22, 23, 24,
    26, 27, 28, 30, 22, 23, 24, 26, 27, 28, 30, 31, 23, 24, 25, 27, 28, 30, 31, 33,
};

ComponentValue Matrix(const std::array<std::uint8_t, 64>& matrix)
{
    return BinaryValue(std::vector<std::uint8_t>(matrix.begin(), matrix.end()));
}

// The one source item: no file named, filters off, a 4:3 full-screen picture.
ComponentItem SourceItem()
{
    return {
        {"Video.SourceFileName", Str("")},
        {"Video.SourceRange.Enabled", False()},
        {"Video.SourceRange.StartTime", Ext(kRangeStart)},
        {"Video.SourceRange.EndTime", Ext(kRangeEnd)},
        {"Video.InterlaceImage", False()},
        {"Video.TopFieldFirst", False()},
        {"Video.AspectRatio", Int(14)},
        {"Video.ImageArrange.ArrangeType", Ident("MPEGVideoConfig_ImageArrangeType_FullScreen")},
        {"Video.ImageArrange.Width", Int(320)},
        {"Video.ImageArrange.Height", Int(240)},
        {"Video.ImageArrange.FillColor", Int(0)},
        {"Video.EnableNoiseReduction", False()},
        {"Video.NoiseReduction", Int(20)},
        {"Video.NoiseReductionRange", Int(1)},
        {"Video.NoiseReduction3D", Int(20)},
        {"Video.NoiseReduction3DHiCQ", False()},
        {"Video.EnableEdgePower", False()},
        {"Video.EdgePowerX", Int(0)},
        {"Video.EdgePowerY", Int(0)},
        {"Video.EdgePowerField", False()},
        {"Video.EnableDeinterlace", False()},
        {"Video.Deinterlace", Ident("VideoFilter_Deinterlace_None")},
        {"Video.DeinterlaceEx.Enabled", False()},
        {"Video.DeinterlaceEx.FrameRate1", Int(4)},
        {"Video.DeinterlaceEx.FrameRate2", Int(5)},
        {"Video.DeinterlaceEx.AutoProcess", False()},
        {"Video.DeinterlaceEx.AutoType",
         Ident("MPEGEncodeJob_Source_Video_DeinterlaceEx_AutoType_24fps_Interlace")},
        {"Video.DeinterlaceEx.AutoDeinterlaceType",
         Ident("MPEGEncodeJob_Source_Video_DeinterlaceEx_Auto_Deinterlace_Force")},
        {"Video.DeinterlaceEx.AutoForceDeinterlaceType", Ident("VideoFilter_Deinterlace_None")},
        {"Video.DeinterlaceEx.AutoDeinterlaceThreshold", Int(600)},
        {"Video.DeinterlaceEx.List", BinaryValue({6, 0, 0, 0, 0, 0, 0, 0})},
        {"Video.DeinterlaceEx.Cache", BinaryValue({})},
        {"Video.Clipping.Enabled", False()},
        {"Video.Clipping.Left", Int(0)},
        {"Video.Clipping.Right", Int(0)},
        {"Video.Clipping.Top", Int(0)},
        {"Video.Clipping.Bottom", Int(0)},
        {"Video.Clipping.LeftMask", False()},
        {"Video.Clipping.RightMask", False()},
        {"Video.Clipping.TopMask", False()},
        {"Video.Clipping.BottomMask", False()},
        {"Video.EnableGhostReduction", False()},
        {"Video.GhostReduction", EmptyCollection()},
        {"Video.ColorCorrection.Enabled", False()},
        {"Video.ColorCorrection.Brightness", Int(0)},
        {"Video.ColorCorrection.Contrast", Int(0)},
        {"Video.ColorCorrection.Gamma", Int(0)},
        {"Video.ColorCorrection.RedContrast", Int(0)},
        {"Video.ColorCorrection.BlueContrast", Int(0)},
        {"Video.ColorCorrection.EnableCustom", False()},
        {"Video.ColorCorrection.Customs", EmptyCollection()},
        {"Video.EnableForceIPict", False()},
        {"Video.ForceIPict", EmptyCollection()},
        {"Video.AutoForceIPict", True()},
        {"Video.Enable32Pulldown", False()},
        {"Video.NoConvertFrameRate", False()},
        {"Audio.SourceFileName", Str("")},
        {"Audio.SourceRange.Enabled", False()},
        {"Audio.SourceRange.StartTime", Ext(kRangeStart)},
        {"Audio.SourceRange.EndTime", Ext(kRangeEnd)},
        {"Audio.Effect.Enabled", False()},
        {"Audio.Effect.EnableVolume", True()},
        {"Audio.Effect.Volume", Ext(kVolume)},
        {"Audio.Effect.EnableFadeIn", True()},
        {"Audio.Effect.FadeInTime", Int(500)},
        {"Audio.Effect.EnableFadeOut", True()},
        {"Audio.Effect.FadeOutTime", Int(500)},
    };
}

} // namespace

std::vector<ComponentProperty> VcdTemplateProperties(const VcdTemplateVariant& variant)
{
    return {
        {"Job.MPEG.Text", Str(variant.text)},
        {"Job.MPEG.WizardCategoryName", Str("$$HIDE")},
        {"Job.MPEG.WizardSubFormatName", Str("")},
        {"Job.MPEG.WizardCaption", Str("")},
        {"Job.MPEG.WizardDescription", Str("")},
        {"Job.MPEG.OutputStreamType", Ident("MPEG_OutputStreamType_System_VideoAudio"), true},
        {"Job.MPEG.Video.StreamType", Ident("MPEGVideoEncoder_StreamType_MPEG1"), true},
        {"Job.MPEG.Video.Width", Int(352), true},
        {"Job.MPEG.Video.Height", Int(variant.height), true},
        {"Job.MPEG.Video.YUVFormat", Int(1), true},
        {"Job.MPEG.Video.DC_prec", Int(0), true},
        {"Job.MPEG.Video.VideoEncodeMode", Ident("MPEGVideoEncoder_VideoEncodeMode_Progressive"), false},
        {"Job.MPEG.Video.FrameRate", Int(variant.frameRate), true},
        {"Job.MPEG.Video.AspectRatio", Int(variant.aspectRatio), true},
        {"Job.MPEG.Video.RateControlMode", Ident("MPEGVideoEncoder_RateControlMode_CBR"), true},
        {"Job.MPEG.Video.MaxBitRate", Int(0), false},
        {"Job.MPEG.Video.MinBitRate", Int(0), false},
        {"Job.MPEG.Video.CBR_BitRate", Int(1150000)},
        {"Job.MPEG.Video.VBR_MultipassVBRAlgorithm",
         Ident("MPEGVideoEncoder_MultipassVBRAlgorithm_MultipassCQ")},
        {"Job.MPEG.Video.VBR_AvgBitRate", Int(1150000)},
        {"Job.MPEG.Video.VBR_MaxBitRate", Int(1150000)},
        {"Job.MPEG.Video.VBR_MinBitRate", Int(0)},
        {"Job.MPEG.Video.VBR_MaxPassCount", Int(2)},
        {"Job.MPEG.Video.VBR_Quality_P", Ext(kZero)},
        {"Job.MPEG.Video.VBR_Quality_B", Ext(kTwenty)},
        {"Job.MPEG.Video.VBR_EnablePadding", False()},
        {"Job.MPEG.Video.MVBR_MaxBitRate", Int(3000000)},
        {"Job.MPEG.Video.MVBR_MinBitRate", Int(0)},
        {"Job.MPEG.Video.MVBR_Quality_P", Ext(kZero)},
        {"Job.MPEG.Video.MVBR_Quality_B", Ext(kTwenty)},
        {"Job.MPEG.Video.MVBR_EnablePadding", False()},
        {"Job.MPEG.Video.AVBR_Quality", Ext(kFifty)},
        {"Job.MPEG.Video.AVBR_MaxBitRate", Int(3000000)},
        {"Job.MPEG.Video.AVBR_MinBitRate", Int(0)},
        {"Job.MPEG.Video.AVBR_EnablePadding", False()},
        {"Job.MPEG.Video.CQ_Quality", Ext(kFifty)},
        {"Job.MPEG.Video.CQ_Quality_P", Ext(kZero)},
        {"Job.MPEG.Video.CQ_Quality_B", Ext(kTwenty)},
        {"Job.MPEG.Video.CQ_MaxBitRate", Int(3000000)},
        {"Job.MPEG.Video.CQ_MinBitRate", Int(0)},
        {"Job.MPEG.Video.CQ_EnablePadding", False()},
        {"Job.MPEG.Video.VBVBufferSize", Int(40960), true},
        {"Job.MPEG.Video.GOP_SeqHeaderInterval", Int(1), true},
        {"Job.MPEG.Video.GOP_I_FrameCount", Int(1), false},
        {"Job.MPEG.Video.GOP_P_FrameCount", Int(5), false},
        {"Job.MPEG.Video.GOP_B_FrameCount", Int(2), false},
        {"Job.MPEG.Video.GOP_BitStreamForEdit", False(), false},
        {"Job.MPEG.Video.GOP_MaxFrameCount", Int(0), false},
        {"Job.MPEG.Video.QuantizeMatrix_Intra_ReadOnly", False()},
        {"Job.MPEG.Video.QuantizeMatrix_NonIntra_ReadOnly", False()},
        {"Job.MPEG.Video.Profile", Int(4), false},
        {"Job.MPEG.Video.Level", Int(8), false},
        {"Job.MPEG.Video.VideoFormat", Int(2), false},
        {"Job.MPEG.Video.DisplayWidth", Int(0), true},
        {"Job.MPEG.Video.DisplayHeight", Int(0), true},
        {"Job.MPEG.Video.MotionSearchSpeed", Ident("MPEGVideoEncoder_MotionSearchSpeed_Normal")},
        {"Job.MPEG.Video.MotionSearch_AlwaysHalfPel", False()},
        {"Job.MPEG.Video.UseFloatDCT", False()},
        {"Job.MPEG.Video.QuantizeMode", False()},
        {"Job.MPEG.Video.QuantizeModeVal_Intra", Int(35)},
        {"Job.MPEG.Video.QuantizeModeVal_NonIntra", Int(35)},
        {"Job.MPEG.Video.YUVBasicYCbCr", False()},
        {"Job.MPEG.Video.QuantizeMatrix_Intra", Matrix(kIntraMatrix)},
        {"Job.MPEG.Video.QuantizeMatrix_NonIntra", Matrix(kNonIntraMatrix)},
        {"Job.MPEG.Audio.StreamType", Ident("MPEGAudioEncoder_StreamType_MPEG1_Layer2"), true},
        {"Job.MPEG.Audio.SamplingFrequency", Int(44100), true},
        {"Job.MPEG.Audio.ChannelMode", Int(0), false},
        {"Job.MPEG.Audio.CantUseMono", True()},
        {"Job.MPEG.Audio.BitRate", Int(224000), true},
        {"Job.MPEG.Audio.CalcCRC", False(), false},
        {"Job.MPEG.Audio.OriginalFlag", False(), false},
        {"Job.MPEG.Audio.CopyrightFlag", False(), false},
        {"Job.MPEG.Audio.PrivateFlag", False(), false},
        {"Job.MPEG.Audio.EmphasisType", Int(0), false},
        {"Job.MPEG.System.StreamType", Ident("MPEGSystemEncoder_StreamType_MPEG1_VideoCD"), true},
        {"Job.MPEG.System.CommentText", Str("Created By Ratewise")},
        {"Job.MPEG.System.EnableCommentText", False()},
        {"Job.SourceList", CollectionValue({SourceItem()})},
        {"Job.OutputFileName", Str("")},
        {"Job.OutputFileType", Ident("MPEGEncodeJob_OutputFileType_MPEG")},
        {"Job.OutputConfig_AVI.OutputFileName", Str("")},
        {"Job.OutputConfig_AVI.EnableVideo", False()},
        {"Job.OutputConfig_AVI.VideoCodecHandler", Int(0)},
        {"Job.OutputConfig_AVI.VideoKeyFrameRate", Int(0)},
        {"Job.OutputConfig_AVI.VideoDataRate", Int(0)},
        {"Job.OutputConfig_AVI.VideoQuality", Int(0)},
        {"Job.OutputConfig_AVI.VideoEnableForceKeyFrame", False()},
        {"Job.OutputConfig_AVI.VideoEnableForceCopyFrame", False()},
        {"Job.OutputConfig_AVI.EnableAudio", False()},
        {"Job.OutputConfig_AVI.InterleaveFrames", Int(0)},
        {"Job.OutputConfig_AVI.VideoCodecConfig", ZeroBytes(4)},
        {"Job.OutputConfig_AVI.AudioFormat", ZeroBytes(4)},
        {"Job.OutputConfig_Wave.OutputFileName", Str("")},
        {"Job.OutputConfig_Wave.Format", ZeroBytes(4)},
        {"Job.OutputConfig_Graphic.OutputType", Ident("MPEGEncodeJob_OutputGraphicConfig_OutputType_BMP")},
        {"Job.OutputConfig_Graphic.OutputFileName", Str("")},
        {"Job.OutputConfig_Graphic.JPEGCompressionQuality", Int(80)},
    };
}

} // namespace ratewise
