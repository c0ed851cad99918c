#include "Id3FrameLayouts.h"

#include <unordered_map>

namespace Id3FrameLayouts {
namespace {

const Layout kUnknown{Field::Binary};
const Layout kText{Field::Encoding, Field::EncodedRest};
const Layout kUserText{Field::Encoding, Field::EncodedCstr, Field::EncodedRest};
const Layout kGeneralText{Field::Encoding, Field::Code3, Field::EncodedCstr, Field::EncodedRest};
const Layout kTermsOfUse{Field::Encoding, Field::Code3, Field::EncodedRest};
const Layout kUrl{Field::Latin1Rest};
const Layout kUserUrl{Field::Encoding, Field::EncodedCstr, Field::Latin1Rest};
const Layout kLink{Field::Code4, Field::Latin1Cstr, Field::Latin1Rest};
const Layout kPicture{Field::Encoding, Field::Latin1Cstr, Field::Byte, Field::EncodedCstr,
                      Field::Binary};
const Layout kObject{Field::Encoding, Field::Latin1Cstr, Field::EncodedCstr, Field::EncodedCstr,
                     Field::Binary};
const Layout kOwnerAndData{Field::Latin1Cstr, Field::Binary};
const Layout kRegistration{Field::Latin1Cstr, Field::Byte, Field::Binary};
const Layout kPlayCounter{Field::Counter};
const Layout kPopularimeter{Field::Latin1Cstr, Field::Byte, Field::Counter};
const Layout kInvolvedPeople{Field::Encoding, Field::EncodedList};
const Layout kSyncedLyrics{Field::Encoding, Field::Code3,       Field::Byte,
                           Field::Byte,     Field::EncodedCstr, Field::Binary};

struct FrameKind {
    const char* v22Id; // "" when version 2.2 has no such frame
    const char* v23Id;
    const Layout* layout;
};

// id3lib's table of the frames it implements, with the frames it keeps as plain bytes.
const FrameKind kId3libKinds[] = {
    {"CRA", "AENC", &kUnknown},
    {"PIC", "APIC", &kPicture},
    {"COM", "COMM", &kGeneralText},
    {"", "COMR", &kUnknown},
    {"", "ENCR", &kRegistration},
    {"EQU", "EQUA", &kUnknown},
    {"ETC", "ETCO", &kUnknown},
    {"GEO", "GEOB", &kObject},
    {"", "GRID", &kRegistration},
    {"IPL", "IPLS", &kInvolvedPeople},
    {"LNK", "LINK", &kLink},
    {"MCI", "MCDI", &kUnknown},
    {"MLL", "MLLT", &kUnknown},
    {"", "OWNE", &kUnknown},
    {"", "PRIV", &kOwnerAndData},
    {"CNT", "PCNT", &kPlayCounter},
    {"POP", "POPM", &kPopularimeter},
    {"", "POSS", &kUnknown},
    {"BUF", "RBUF", &kUnknown},
    {"RVA", "RVAD", &kUnknown},
    {"REV", "RVRB", &kUnknown},
    {"SLT", "SYLT", &kSyncedLyrics},
    {"STC", "SYTC", &kUnknown},
    {"TAL", "TALB", &kText},
    {"TBP", "TBPM", &kText},
    {"TCM", "TCOM", &kText},
    {"TCO", "TCON", &kText},
    {"TCR", "TCOP", &kText},
    {"TDA", "TDAT", &kText},
    {"TDY", "TDLY", &kText},
    {"TEN", "TENC", &kText},
    {"TXT", "TEXT", &kText},
    {"TFT", "TFLT", &kText},
    {"TIM", "TIME", &kText},
    {"TT1", "TIT1", &kText},
    {"TT2", "TIT2", &kText},
    {"TT3", "TIT3", &kText},
    {"TKE", "TKEY", &kText},
    {"TLA", "TLAN", &kText},
    {"TLE", "TLEN", &kText},
    {"TMT", "TMED", &kText},
    {"TOT", "TOAL", &kText},
    {"TOF", "TOFN", &kText},
    {"TOL", "TOLY", &kText},
    {"TOA", "TOPE", &kText},
    {"TOR", "TORY", &kText},
    {"", "TOWN", &kText},
    {"TP1", "TPE1", &kText},
    {"TP2", "TPE2", &kText},
    {"TP3", "TPE3", &kText},
    {"TP4", "TPE4", &kText},
    {"TPA", "TPOS", &kText},
    {"TPB", "TPUB", &kText},
    {"TRK", "TRCK", &kText},
    {"TRD", "TRDA", &kText},
    {"TRN", "TRSN", &kText},
    {"TRO", "TRSO", &kText},
    {"TSI", "TSIZ", &kText},
    {"TRC", "TSRC", &kText},
    {"TSS", "TSSE", &kText},
    {"TXX", "TXXX", &kUserText},
    {"TYE", "TYER", &kText},
    {"UFI", "UFID", &kOwnerAndData},
    {"", "USER", &kTermsOfUse},
    {"ULT", "USLT", &kGeneralText},
    {"WCM", "WCOM", &kUrl},
    {"WCP", "WCOP", &kUrl},
    {"WAF", "WOAF", &kUrl},
    {"WAR", "WOAR", &kUrl},
    {"WAS", "WOAS", &kUrl},
    {"WRA", "WORS", &kUrl},
    {"WPY", "WPAY", &kUrl},
    {"WPB", "WPUB", &kUrl},
    {"WXX", "WXXX", &kUserUrl},
};

// Frames iTunes writes that id3lib has no definition for, under both their names.
const FrameKind kOtherKinds[] = {
    {"TCP", "TCMP", &kText}, {"TST", "TSOT", &kText}, {"TSA", "TSOA", &kText},
    {"TS2", "TSO2", &kText}, {"TSP", "TSOP", &kText}, {"TSC", "TSOC", &kText},
    {"MVN", "MVNM", &kText}, {"MVI", "MVIN", &kText}, {"GP1", "GRP1", &kText},
};

// Looked up on every frame of every file loaded, so by hash rather than through the tables.
struct KindIndex {
    std::unordered_map<std::string, const FrameKind*> byV23Id;
    std::unordered_map<std::string, const FrameKind*> otherByV23Id;
    std::unordered_map<std::string, std::string> v23IdByV22Id;

    KindIndex() {
        for (const FrameKind& kind : kId3libKinds) {
            byV23Id.emplace(kind.v23Id, &kind);
            if (*kind.v22Id)
                v23IdByV22Id.emplace(kind.v22Id, kind.v23Id);
        }
        for (const FrameKind& kind : kOtherKinds) {
            otherByV23Id.emplace(kind.v23Id, &kind);
            v23IdByV22Id.emplace(kind.v22Id, kind.v23Id);
        }
    }
};

const KindIndex& Index() {
    static const KindIndex index;
    return index;
}

const FrameKind* Find(const std::unordered_map<std::string, const FrameKind*>& kinds,
                      const std::string& id) {
    const auto found = kinds.find(id);
    return found == kinds.end() ? nullptr : found->second;
}

const FrameKind* FindV23(const std::string& id) {
    return Find(Index().byV23Id, id);
}

} // namespace

const Layout& AsId3libParses(const std::string& id) {
    const FrameKind* kind = FindV23(id);
    return kind ? *kind->layout : kUnknown;
}

const Layout& AsDefined(const std::string& id) {
    if (const FrameKind* kind = FindV23(id))
        return *kind->layout;
    if (const FrameKind* kind = Find(Index().otherByV23Id, id))
        return *kind->layout;
    // Every frame named T... but TXXX holds text, every W... but WXXX a link (ID3v2.3 and 2.4,
    // section 4.2 and 4.3), whether or not a program knows the kind.
    if (id.size() == 4 && id[0] == 'T')
        return kText;
    if (id.size() == 4 && id[0] == 'W')
        return kUrl;
    return kUnknown;
}

std::string V23IdOfV22(const std::string& v22Id) {
    const auto found = Index().v23IdByV22Id.find(v22Id);
    return found == Index().v23IdByV22Id.end() ? std::string() : found->second;
}

} // namespace Id3FrameLayouts
