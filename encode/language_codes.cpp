// SPDX-License-Identifier: GPL-3.0-or-later
// The two-letter codes of DVD stream attributes (ISO 639-1) as the three-letter codes Matroska
// and MP4 tag streams with (ISO 639-2, the bibliographic form where there are two). Taken from the
// iso-codes data (version 4.15), with the withdrawn codes older discs still carry (iw, ji, in).
#include "encode/language_codes.h"

#include <algorithm>
#include <array>

namespace ratewise {
namespace {

struct CodePair {
    std::string_view two;
    std::string_view three;
};

constexpr std::array<CodePair, 187> kCodes{
    {{"aa", "aar"}, {"ab", "abk"}, {"ae", "ave"}, {"af", "afr"}, {"ak", "aka"}, {"am", "amh"}, {"an", "arg"},
     {"ar", "ara"}, {"as", "asm"}, {"av", "ava"}, {"ay", "aym"}, {"az", "aze"}, {"ba", "bak"}, {"be", "bel"},
     {"bg", "bul"}, {"bh", "bih"}, {"bi", "bis"}, {"bm", "bam"}, {"bn", "ben"}, {"bo", "tib"}, {"br", "bre"},
     {"bs", "bos"}, {"ca", "cat"}, {"ce", "che"}, {"ch", "cha"}, {"co", "cos"}, {"cr", "cre"}, {"cs", "cze"},
     {"cu", "chu"}, {"cv", "chv"}, {"cy", "wel"}, {"da", "dan"}, {"de", "ger"}, {"dv", "div"}, {"dz", "dzo"},
     {"ee", "ewe"}, {"el", "gre"}, {"en", "eng"}, {"eo", "epo"}, {"es", "spa"}, {"et", "est"}, {"eu", "baq"},
     {"fa", "per"}, {"ff", "ful"}, {"fi", "fin"}, {"fj", "fij"}, {"fo", "fao"}, {"fr", "fre"}, {"fy", "fry"},
     {"ga", "gle"}, {"gd", "gla"}, {"gl", "glg"}, {"gn", "grn"}, {"gu", "guj"}, {"gv", "glv"}, {"ha", "hau"},
     {"he", "heb"}, {"hi", "hin"}, {"ho", "hmo"}, {"hr", "hrv"}, {"ht", "hat"}, {"hu", "hun"}, {"hy", "arm"},
     {"hz", "her"}, {"ia", "ina"}, {"id", "ind"}, {"ie", "ile"}, {"ig", "ibo"}, {"ii", "iii"}, {"ik", "ipk"},
     {"in", "ind"}, {"io", "ido"}, {"is", "ice"}, {"it", "ita"}, {"iu", "iku"}, {"iw", "heb"}, {"ja", "jpn"},
     {"ji", "yid"}, {"jv", "jav"}, {"ka", "geo"}, {"kg", "kon"}, {"ki", "kik"}, {"kj", "kua"}, {"kk", "kaz"},
     {"kl", "kal"}, {"km", "khm"}, {"kn", "kan"}, {"ko", "kor"}, {"kr", "kau"}, {"ks", "kas"}, {"ku", "kur"},
     {"kv", "kom"}, {"kw", "cor"}, {"ky", "kir"}, {"la", "lat"}, {"lb", "ltz"}, {"lg", "lug"}, {"li", "lim"},
     {"ln", "lin"}, {"lo", "lao"}, {"lt", "lit"}, {"lu", "lub"}, {"lv", "lav"}, {"mg", "mlg"}, {"mh", "mah"},
     {"mi", "mao"}, {"mk", "mac"}, {"ml", "mal"}, {"mn", "mon"}, {"mr", "mar"}, {"ms", "may"}, {"mt", "mlt"},
     {"my", "bur"}, {"na", "nau"}, {"nb", "nob"}, {"nd", "nde"}, {"ne", "nep"}, {"ng", "ndo"}, {"nl", "dut"},
     {"nn", "nno"}, {"no", "nor"}, {"nr", "nbl"}, {"nv", "nav"}, {"ny", "nya"}, {"oc", "oci"}, {"oj", "oji"},
     {"om", "orm"}, {"or", "ori"}, {"os", "oss"}, {"pa", "pan"}, {"pi", "pli"}, {"pl", "pol"}, {"ps", "pus"},
     {"pt", "por"}, {"qu", "que"}, {"rm", "roh"}, {"rn", "run"}, {"ro", "rum"}, {"ru", "rus"}, {"rw", "kin"},
     {"sa", "san"}, {"sc", "srd"}, {"sd", "snd"}, {"se", "sme"}, {"sg", "sag"}, {"si", "sin"}, {"sk", "slo"},
     {"sl", "slv"}, {"sm", "smo"}, {"sn", "sna"}, {"so", "som"}, {"sq", "alb"}, {"sr", "srp"}, {"ss", "ssw"},
     {"st", "sot"}, {"su", "sun"}, {"sv", "swe"}, {"sw", "swa"}, {"ta", "tam"}, {"te", "tel"}, {"tg", "tgk"},
     {"th", "tha"}, {"ti", "tir"}, {"tk", "tuk"}, {"tl", "tgl"}, {"tn", "tsn"}, {"to", "ton"}, {"tr", "tur"},
     {"ts", "tso"}, {"tt", "tat"}, {"tw", "twi"}, {"ty", "tah"}, {"ug", "uig"}, {"uk", "ukr"}, {"ur", "urd"},
     {"uz", "uzb"}, {"ve", "ven"}, {"vi", "vie"}, {"vo", "vol"}, {"wa", "wln"}, {"wo", "wol"}, {"xh", "xho"},
     {"yi", "yid"}, {"yo", "yor"}, {"za", "zha"}, {"zh", "chi"}, {"zu", "zul"}}};

} // namespace

std::string LanguageTag(std::array<std::uint8_t, 2> code)
{
    const std::string two{static_cast<char>(code[0]), static_cast<char>(code[1])};
    const auto found =
        std::lower_bound(kCodes.begin(), kCodes.end(), two,
                         [](const CodePair& pair, const std::string& key) { return pair.two < key; });
    return found != kCodes.end() && found->two == two ? std::string(found->three) : std::string("und");
}

} // namespace ratewise
