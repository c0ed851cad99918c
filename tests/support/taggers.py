#!/usr/bin/python3
"""MP3 files tagged the way other taggers and players tag them, and a comparison of two files'
tags by meaning, both through mutagen, a reader independent of id3lib.

    taggers.py styles                      the style names, one a line
    taggers.py write STYLE PATH [FRAMES]   writes an MP3 file tagged in that style, with FRAMES
                                           MPEG frames of audio (12 unless told)
    taggers.py compare BEFORE AFTER [KEY=VALUE ...]
        prints one line for each frame whose meaning differs between the two files, except the
        frames named, which AFTER must hold with those values; nothing when all is well.

Meaning is compared as an ID3v2.3 tag can hold it: texts in any encoding, several values
joined with "/", time stamps to the minute, people lists of TIPL and TMCL together.
"""

import struct
import sys
import zlib

import mutagen.id3 as id3

# MPEG-1 Layer III, 128 kbit/s, 44.1 kHz: 417 bytes a frame. 0xFF bytes inside them give
# unsynchronisation something to do.
MPEG_FRAME = (b"\xff\xfb\x90\x64" + bytes(range(256)) + b"\xff\xe0" * 78 + b"\x00")[:417]
AUDIO = MPEG_FRAME * 12

PNG = b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 3 + b"\xff\xff\x00\xff\xe0"
JPEG = b"\xff\xd8\xff\xe0" + bytes(range(255, -1, -1)) * 2 + b"\xff\xd9"


def syncsafe(value):
    return bytes([(value >> 21) & 0x7F, (value >> 14) & 0x7F, (value >> 7) & 0x7F, value & 0x7F])


def unsynchronise(data):
    out = bytearray()
    for i, byte in enumerate(data):
        out.append(byte)
        if byte == 0xFF and (i + 1 == len(data) or data[i + 1] == 0 or data[i + 1] >= 0xE0):
            out.append(0)
    return bytes(out)


def utf16(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


def raw_file(path, major, frames, flags=0, padding=64, id3v1=b""):
    body = b"".join(frames) + bytes(padding)
    with open(path, "wb") as out:
        out.write(b"ID3" + bytes([major, 0, flags]) + syncsafe(len(body)) + body + AUDIO + id3v1)


def v22_frame(name, data):
    return name.encode() + struct.pack(">I", len(data))[1:] + data


def v23_frame(name, data, flags=0):
    return name.encode() + struct.pack(">IH", len(data), flags) + data


def v24_frame(name, data, flags=0):
    return name.encode() + syncsafe(len(data)) + struct.pack(">H", flags) + data


def id3v1_tag(title, artist, album, year, comment, track, genre):
    """An ID3v1.1 tag: NUL-padded texts, the track after the comment."""
    return (b"TAG" + title.ljust(30, b"\0") + artist.ljust(30, b"\0") + album.ljust(30, b"\0") +
            year + comment.ljust(28, b"\0") + bytes([0, track, genre]))


def mutagen_file(path, frames, version):
    with open(path, "wb") as out:
        out.write(AUDIO)
    tag = id3.ID3()
    for frame in frames:
        tag.add(frame)
    tag.save(path, v2_version=version, v1=0)


def picard_v24(path):
    """MusicBrainz Picard and mutagen: ID3v2.4, UTF-8, several values, sort names."""
    mutagen_file(path, [
        id3.TIT2(encoding=3, text=["Łódź 東京 €uro"]),
        id3.TPE1(encoding=3, text=["Дмитрий Шостакович", "Oistrakh"]),
        id3.TPE2(encoding=3, text=["Various Artists"]),
        id3.TALB(encoding=3, text=["Concertos"]),
        id3.TDRC(encoding=3, text=["2004-05-06T07:08:09"]),
        id3.TDOR(encoding=3, text=["1955"]),
        id3.TCON(encoding=3, text=["Classical", "Soundtrack"]),
        id3.TRCK(encoding=3, text=["3/12"]),
        id3.TSOP(encoding=3, text=["Shostakovich, Dmitri"]),
        id3.TSO2(encoding=3, text=["Various"]),
        id3.TIPL(encoding=3, people=[["producer", "Ann"], ["mix", "Bob"]]),
        id3.TMCL(encoding=3, people=[["violin", "David Oistrakh"]]),
        id3.RVA2(desc="track", channel=1, gain=-3.5, peak=0.9),
        id3.TXXX(encoding=3, desc="MusicBrainz Album Id", text=["8c3e0e2c-5c3b"]),
        id3.UFID(owner="http://musicbrainz.org", data=b"b1c2-d3e4"),
        id3.APIC(encoding=3, mime="image/png", type=3, desc="Cover ☺", data=PNG),
        id3.COMM(encoding=3, lang="eng", desc="", text=["Zażółć gęślą jaźń"]),
        id3.USLT(encoding=3, lang="rus", desc="", text=["Строка\nещё"]),
        id3.TMOO(encoding=3, text=["Calm"]),
        id3.TDRL(encoding=3, text=["2005-01"]),
    ], 4)


def eyed3_v24(path):
    """eyeD3's habits: ID3v2.4, Latin-1 where it fits, the year as a release time (TDRL), a
    genre as "(n)Name", play count."""
    mutagen_file(path, [
        id3.TIT2(encoding=0, text=["Song"]),
        id3.TPE1(encoding=1, text=["Björk Guðmundsdóttir"]),
        id3.TALB(encoding=0, text=["Debut"]),
        id3.TDRL(encoding=0, text=["1993"]),
        id3.TCON(encoding=0, text=["(20)Alternative"]),
        id3.TPOS(encoding=0, text=["1/1"]),
        id3.POPM(email="eyed3@example", rating=196, count=12),
        id3.PCNT(count=7),
        id3.WOAR(url="https://example.org/artist"),
        id3.COMM(encoding=0, lang="eng", desc="", text=["Plain comment"]),
        id3.COMM(encoding=0, lang="eng", desc="Note", text=["Described"]),
    ], 4)


def kid3_v23(path):
    """Kid3's default: ID3v2.3, ISO-8859-1 when the text fits, UTF-16 otherwise."""
    mutagen_file(path, [
        id3.TIT2(encoding=1, text=["日本語のタイトル"]),
        id3.TPE1(encoding=0, text=["Artist"]),
        id3.TALB(encoding=0, text=["Album"]),
        id3.TYER(encoding=0, text=["2011"]),
        id3.TCON(encoding=0, text=["Jazz"]),
        id3.TRCK(encoding=0, text=["5"]),
        id3.TCOM(encoding=1, text=["Ψάλτης"]),
        id3.COMM(encoding=1, lang="eng", desc="", text=["Κάτι"]),
        id3.TXXX(encoding=0, desc="CATALOGNUMBER", text=["KID-3"]),
    ], 3)


def library_manager_v23(path):
    """A music library manager's files, written with mutagen: ID3v2.3, a track and a disc with
    their totals, an album artist for a compilation."""
    mutagen_file(path, [
        id3.TIT2(encoding=1, text=["Song Three"]),
        id3.TPE1(encoding=1, text=["Performer"]),
        id3.TPE2(encoding=1, text=["Various Artists"]),
        id3.TALB(encoding=1, text=["Compilation"]),
        id3.TYER(encoding=1, text=["2019"]),
        id3.TRCK(encoding=1, text=["3/12"]),
        id3.TPOS(encoding=1, text=["1/2"]),
        id3.TCMP(encoding=1, text=["1"]),
        id3.COMM(encoding=1, lang="eng", desc="", text=["Ripped"]),
    ], 3)


def mutagen_v23_with_v24_frames(path):
    """Taggers that save mutagen's tag as ID3v2.3 without converting its frames: TDRC, TDOR and
    TIPL inside an ID3v2.3 tag, texts in UTF-16."""
    mutagen_file(path, [
        id3.TIT2(encoding=1, text=["Подмосковные вечера"]),
        id3.TPE1(encoding=1, text=["Владимир Трошин"]),
        id3.TALB(encoding=1, text=["Песни"]),
        id3.TDRC(encoding=1, text=["1957-06-01"]),
        id3.TDOR(encoding=1, text=["1956"]),
        id3.TIPL(encoding=1, people=[["arranger", "Анна"]]),
        id3.TCON(encoding=1, text=["Oldies"]),
    ], 3)


def id3lib_v23(path):
    """id3lib's own id3v2 tool: ID3v2.3, ISO-8859-1, "(n)" genres, language "XXX"."""
    raw_file(path, 3, [
        v23_frame("TIT2", b"\x00Old Song"),
        v23_frame("TPE1", b"\x00Old Artist"),
        v23_frame("TALB", b"\x00Old Album"),
        v23_frame("TYER", b"\x001987"),
        v23_frame("TRCK", b"\x004"),
        v23_frame("TCON", b"\x00(17)"),
        v23_frame("COMM", b"\x00XXX\x00id3lib comment"),
    ], id3v1=id3v1_tag(b"Old Song", b"Old Artist", b"Old Album", b"1987", b"id3lib comment", 4,
                       0x11))


def itunes_v22(path):
    """iTunes' ID3v2.2: three-letter frames, TCP and sort names, a PIC picture, iTunNORM."""
    comment = lambda desc, text: v22_frame(
        "COM", b"\x01eng" + utf16(desc) + b"\x00\x00" + utf16(text))
    raw_file(path, 2, [
        v22_frame("TT2", b"\x01" + utf16("Título")),
        v22_frame("TP1", b"\x00Artist"),
        v22_frame("TP2", b"\x00Album Artist"),
        v22_frame("TAL", b"\x00Album"),
        v22_frame("TYE", b"\x002008"),
        v22_frame("TCO", b"\x00Pop"),
        v22_frame("TRK", b"\x001/10"),
        v22_frame("TCP", b"\x001"),
        v22_frame("TS2", b"\x00Album Artist, The"),
        v22_frame("TSA", b"\x00Album, The"),
        v22_frame("TSP", b"\x00Artist, The"),
        v22_frame("TST", b"\x00Titulo"),
        v22_frame("TSC", b"\x00Composer, The"),
        v22_frame("TEN", b"\x00iTunes 8.0"),
        comment("iTunNORM", " 0000021C 00000211 00001E0F 00001E5A"),
        comment("iTunSMPB", " 00000000 00000210 000007E8 000000000015D3C8"),
        comment("", "My own words"),
        v22_frame("PIC", b"\x00JPG\x03\x00" + JPEG),
    ])


def itunes_v23(path):
    """iTunes' ID3v2.3: UTF-16, TCMP and sort names, iTunes comments before the user's."""
    mutagen_file(path, [
        id3.TIT2(encoding=1, text=["Canción"]),
        id3.TPE1(encoding=1, text=["Artista"]),
        id3.TPE2(encoding=1, text=["Album Artist"]),
        id3.TCOM(encoding=1, text=["Composer"]),
        id3.TALB(encoding=1, text=["Álbum"]),
        id3.TYER(encoding=1, text=["2009"]),
        id3.TCON(encoding=1, text=["Latin"]),
        id3.TCMP(encoding=1, text=["1"]),
        id3.TSO2(encoding=1, text=["Album Artist"]),
        id3.TSOA(encoding=1, text=["Album"]),
        id3.TSOP(encoding=1, text=["Artista"]),
        id3.GRP1(encoding=1, text=["Grouping"]),
        id3.COMM(encoding=1, lang="eng", desc="iTunNORM", text=[" 0000021C 00000211"]),
        id3.COMM(encoding=1, lang="eng", desc="iTunSMPB", text=[" 00000000 00000210 000007E8"]),
        id3.COMM(encoding=1, lang="eng", desc="iTunPGAP", text=["0"]),
        id3.COMM(encoding=1, lang="eng", desc="", text=["Mis palabras"]),
        id3.APIC(encoding=0, mime="image/jpeg", type=3, desc="", data=JPEG),
    ], 3)


def foobar_replaygain(path):
    """foobar2000's ReplayGain and its own fields: ID3v2.4 TXXX frames."""
    mutagen_file(path, [
        id3.TIT2(encoding=3, text=["Track"]),
        id3.TPE1(encoding=3, text=["Band"]),
        id3.TALB(encoding=3, text=["Record"]),
        id3.TXXX(encoding=3, desc="REPLAYGAIN_TRACK_GAIN", text=["-6.48 dB"]),
        id3.TXXX(encoding=3, desc="REPLAYGAIN_TRACK_PEAK", text=["0.988525"]),
        id3.TXXX(encoding=3, desc="REPLAYGAIN_ALBUM_GAIN", text=["-7.02 dB"]),
        id3.TXXX(encoding=3, desc="REPLAYGAIN_ALBUM_PEAK", text=["1.000000"]),
        id3.TXXX(encoding=3, desc="DISCOGS_RELEASE_ID", text=["123", "456"]),
    ], 4)


def windows_media(path):
    """Windows Media Player: ID3v2.3 with PRIV frames, album artist and composer, UTF-16."""
    mutagen_file(path, [
        id3.TIT2(encoding=1, text=["Song"]),
        id3.TPE1(encoding=1, text=["Artist"]),
        id3.TPE2(encoding=1, text=["Album Artist"]),
        id3.TCOM(encoding=1, text=["Composer"]),
        id3.TALB(encoding=1, text=["Album"]),
        id3.TYER(encoding=1, text=["2005"]),
        id3.TCON(encoding=1, text=["Rock"]),
        id3.PRIV(owner="WM/MediaClassPrimaryID", data=bytes(range(16))),
        id3.PRIV(owner="WM/MediaClassSecondaryID", data=bytes(16)),
        id3.PRIV(owner="WM/UniqueFileIdentifier", data="AMGa_id=R   12345".encode("utf-16-le")),
        id3.PRIV(owner="WM/Provider", data="AMG\0".encode("utf-16-le")),
    ], 3)


def v24_unsynchronised(path):
    """ID3v2.4 with unsynchronised frames carrying data length indicators, an extended header
    with a check sum, and a footer."""
    frames = []
    for name, data in [("TIT2", b"\x03Unsynced \xc3\xbf title"),
                       ("TPE1", b"\x00Artist \xff"),
                       ("TALB", b"\x00Album"),
                       ("APIC", b"\x00image/png\x00\x03\x00" + PNG),
                       ("TXXX", b"\x00key\x00value")]:
        packed = unsynchronise(data)
        frames.append(v24_frame(name, syncsafe(len(data)) + packed, 0x0003))
    extended = syncsafe(11) + b"\x01\x20" + bytes(5)
    body = extended + b"".join(frames)
    with open(path, "wb") as out:
        out.write(b"ID3\x04\x00\x50" + syncsafe(len(body)) + body)
        out.write(b"3DI\x04\x00\x50" + syncsafe(len(body)) + AUDIO)


def v24_whole_tag_unsynchronised(path):
    """ID3v2.4 whose header says every frame is unsynchronised."""
    frames = [v24_frame(name, unsynchronise(data)) for name, data in [
        ("TIT2", b"\x00Title \xff\xe0"), ("TALB", b"\x00Album"),
        ("PRIV", b"owner\x00\xff\xff\xfe\xff")]]
    raw_file(path, 4, frames, flags=0x80, padding=32)


def v24_itunes_plain_sizes(path):
    """ID3v2.4 as old iTunes wrote it: frame sizes as plain numbers, not syncsafe."""
    note = b"\x00note\x00" + b"L" * 200  # long enough for its plain size not to be syncsafe
    raw_file(path, 4, [v24_frame("TIT2", b"\x00Title"), v23_frame("TXXX", note),
                       v24_frame("TALB", b"\x00Album")])


def v24_chapters(path):
    """A podcast: ID3v2.4 chapters whose frames hold UTF-8 titles and pictures."""
    chapter = lambda element, start, end, title: id3.CHAP(
        element_id=element, start_time=start, end_time=end,
        sub_frames=[id3.TIT2(encoding=3, text=[title]),
                    id3.APIC(encoding=3, mime="image/png", type=0, desc="", data=PNG)])
    mutagen_file(path, [
        id3.TIT2(encoding=3, text=["Episode 1"]),
        id3.TALB(encoding=3, text=["Podcast"]),
        id3.CTOC(element_id="toc", flags=3, child_element_ids=["ch1", "ch2"],
                 sub_frames=[id3.TIT2(encoding=3, text=["Inhalt"])]),
        chapter("ch1", 0, 5000, "Anfang – Begrüßung"),
        chapter("ch2", 5000, 9000, "Schluss"),
    ], 4)


def v23_compressed(path):
    """ID3v2.3 with zlib-compressed frames, as some old taggers wrote them."""
    frames = [v23_frame("TIT2", b"\x00Plain title")]
    for name, data in [("TALB", b"\x00" + b"Compressed album " * 4),
                       ("USLT", b"\x00eng\x00" + b"Lyrics line\n" * 20)]:
        packed = zlib.compress(data)
        frames.append(v23_frame(name, struct.pack(">I", len(data)) + packed, 0x0080))
    raw_file(path, 3, frames)


def library_manager_v24(path):
    """A library manager's ID3v2.4 (beets, Picard): MusicBrainz ids and the rest of its data in
    TXXX frames, ARTISTS, sort names, UFID; 30 frames, UTF-8."""
    def txxx(desc, *values):
        return id3.TXXX(encoding=3, desc=desc, text=list(values))
    mutagen_file(path, [
        id3.TIT2(encoding=3, text=["Paranoid Android"]),
        id3.TPE1(encoding=3, text=["Radiohead"]),
        id3.TPE2(encoding=3, text=["Radiohead"]),
        id3.TALB(encoding=3, text=["OK Computer"]),
        id3.TDRC(encoding=3, text=["1997-05-21"]),
        id3.TDOR(encoding=3, text=["1997"]),
        id3.TCON(encoding=3, text=["Alternative Rock"]),
        id3.TRCK(encoding=3, text=["2/12"]),
        id3.TPOS(encoding=3, text=["1/1"]),
        id3.TSOP(encoding=3, text=["Radiohead"]),
        id3.TSO2(encoding=3, text=["Radiohead"]),
        id3.TSRC(encoding=3, text=["GBAYE9700112"]),
        id3.TMED(encoding=3, text=["CD"]),
        id3.TPUB(encoding=3, text=["Parlophone"]),
        id3.UFID(owner="http://musicbrainz.org", data=b"0f4b9a8c-8a6e-4f4b-9c4e-3b3a1f6d2e11"),
        txxx("MusicBrainz Album Id", "b1392450-e666-3926-a536-22c65f834433"),
        txxx("MusicBrainz Artist Id", "a74b1b7f-71a5-4011-9441-d0b5e4122711"),
        txxx("MusicBrainz Album Artist Id", "a74b1b7f-71a5-4011-9441-d0b5e4122711"),
        txxx("MusicBrainz Release Group Id", "b1392450-e666-3926-a536-22c65f834433"),
        txxx("MusicBrainz Release Track Id", "1c5b0a5d-3e39-3f1f-8d1f-5b8e2c5a7d6e"),
        txxx("MusicBrainz Album Status", "official"),
        txxx("MusicBrainz Album Type", "album"),
        txxx("MusicBrainz Album Release Country", "GB"),
        txxx("ARTISTS", "Radiohead"),
        txxx("SCRIPT", "Latn"),
        txxx("BARCODE", "724385522925"),
        txxx("ASIN", "B000002UJQ"),
        txxx("CATALOGNUMBER", "7243 8 55229 2 5"),
        txxx("originalyear", "1997"),
        id3.COMM(encoding=3, lang="eng", desc="", text=["Ripped and tagged"]),
    ], 4)


def stacked_tags(path):
    """A tagger that prepends its new ID3v2.3 tag and leaves the old ID3v2.4 tag behind it,
    which players skip as audio."""
    mutagen_file(path, [
        id3.TIT2(encoding=3, text=["Old title"]),
        id3.TPE1(encoding=3, text=["Old artist"]),
        id3.TXXX(encoding=3, desc="MusicBrainz Album Id", text=["0f3e-old"]),
    ], 4)
    with open(path, "rb") as f:
        old = f.read()
    frames = [v23_frame("TIT2", b"\x00New title"), v23_frame("TPE1", b"\x00New artist"),
              v23_frame("TALB", b"\x00New album"),
              v23_frame("COMM", b"\x00eng\x00New note")]
    body = b"".join(frames) + bytes(32)
    with open(path, "wb") as out:
        out.write(b"ID3\x03\x00\x00" + syncsafe(len(body)) + body + old)


def empty_frames(path):
    """A careless tagger's ID3v2.3: frames of size zero for the values it had none of."""
    raw_file(path, 3, [
        v23_frame("TIT2", b"\x00A title"), v23_frame("TPE1", b""),
        v23_frame("TALB", b"\x00An album"), v23_frame("COMM", b""), v23_frame("TCOM", b""),
        v23_frame("TCON", b"\x00(17)"), v23_frame("TYER", b"")])


def v1_only(path):
    """Only an ID3v1.1 tag at the end."""
    with open(path, "wb") as out:
        out.write(AUDIO + id3v1_tag(b"Old Title", b"Old Artist", b"Old Album", b"1979",
                                    b"Caf\xe9 note", 7, 0x11))


STYLES = {f.__name__.replace("_", "-"): f for f in [
    picard_v24, eyed3_v24, kid3_v23, library_manager_v23, mutagen_v23_with_v24_frames,
    id3lib_v23, itunes_v22, itunes_v23, foobar_replaygain, windows_media, v24_unsynchronised,
    v24_whole_tag_unsynchronised, v24_itunes_plain_sizes, v24_chapters, v23_compressed,
    library_manager_v24, stacked_tags, empty_frames, v1_only]}


def normal(value):
    """A frame field as a v2.3 tag keeps its meaning."""
    if isinstance(value, id3.ID3Tags):
        return sorted(f"{key}={normal_frame(frame)}" for key, frame in value.items())
    if isinstance(value, list):
        if all(isinstance(item, (str, id3.ID3TimeStamp)) for item in value):
            return "/".join(str(item) for item in value)
        return [normal(item) for item in value]
    if isinstance(value, float):
        return round(value, 3)
    return value


def normal_frame(frame):
    if isinstance(frame, id3.TCON):
        # Version 2.3 has no list of genre names: several are joined with "/".
        return sorted(name for genre in frame.genres for name in genre.split("/"))
    if isinstance(frame, id3.TimeStampTextFrame):
        # Version 2.3 keeps a time stamp to the minute, and only its first value.
        return str(frame.text[0])[:16] if frame.text else ""
    fields = {}
    for spec in list(frame._framespec) + list(frame._optionalspec):
        if spec.name != "encoding" and hasattr(frame, spec.name):
            fields[spec.name] = normal(getattr(frame, spec.name))
    return fields


def id3v1_as_written(path):
    """What an ID3v1 tag holds, as the frames a Save writes for it into the ID3v2 tag."""
    with open(path, "rb") as f:
        f.seek(-128, 2)
        frames = id3.ParseID3v1(f.read())
    tag = id3.ID3()
    for frame in (frames or {}).values():
        if isinstance(frame, id3.COMM):
            frame = id3.COMM(encoding=0, lang="XXX", desc="", text=frame.text)
        tag.add(frame)
    return tag


def meanings(path):
    try:
        tag = id3.ID3(path, load_v1=False)
    except id3.ID3NoHeaderError:
        tag = id3v1_as_written(path)
    people = []
    for key in ("TIPL", "TMCL"):
        if key in tag:
            people += tag.pop(key).people
    found = {key: normal_frame(frame) for key, frame in tag.items()}
    if people:
        found["TIPL"] = sorted(people)
    return found


def compare(before_path, after_path, changes):
    before, after = meanings(before_path), meanings(after_path)
    expected = dict(change.split("=", 1) for change in changes)
    for key in sorted(set(before) | set(after)):
        if key in expected:
            continue
        if before.get(key) != after.get(key):
            print(f"{key}: {before.get(key, '<missing>')!r} became {after.get(key, '<missing>')!r}")
    for key, text in expected.items():
        got = after.get(key, {})
        got_text = got.get("text") if isinstance(got, dict) else got
        if got_text != text:
            print(f"{key}: expected {text!r}, found {got!r}")


def main(args):
    if args[:1] == ["styles"]:
        print("\n".join(STYLES))
    elif args[:1] == ["write"] and len(args) in (3, 4):
        global AUDIO
        AUDIO = MPEG_FRAME * int(args[3] if len(args) == 4 else 12)
        STYLES[args[1]](args[2])
    elif args[:1] == ["compare"] and len(args) >= 3:
        compare(args[1], args[2], args[3:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
