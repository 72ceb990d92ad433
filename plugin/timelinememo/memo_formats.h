// memo_formats.h: the writer and reader of each marker format, one source file each:
//   memo_otio.cpp          OpenTimelineIO JSON (.otio)
//   memo_edl.cpp           CMX 3600 EDLs: events, and the reader of both marker dialects
//   memo_edl_resolve.cpp   Resolve's timeline-marker EDL (|C: |M: |D:)
//   memo_edl_loc.cpp       locators (* LOC:), as Avid, Premiere and OpenTimelineIO read them
//   memo_avid.cpp          Avid Media Composer's marker list (.txt)
//   memo_xmeml.cpp         Final Cut Pro 7 XML sequence markers (.xml)
//   memo_csv.cpp           CSV for spreadsheets and review trackers
//   memo_ffmetadata.cpp    ffmpeg's FFMETADATA1 chapters
//   memo_youtube.cpp       YouTube chapter text (written only)
#ifndef ZK_MEMO_FORMATS_H
#define ZK_MEMO_FORMATS_H

#include "memo_exchange.h"

ExportResult WriteOtio(const ExportMemo &memo);
ImportedMemo ReadOtio(const std::string &text, const ExchangeSettings &settings);

ExportResult WriteResolveEdl(const ExportMemo &memo);
ExportResult WriteLocatorEdl(const ExportMemo &memo);
// Reads the markers of either dialect (an EDL may hold both).
ImportedMemo ReadEdl(const std::string &text, MarkerFormat format, const ExchangeSettings &settings);

ExportResult WriteAvidMarkers(const ExportMemo &memo);
ImportedMemo ReadAvidMarkers(const std::string &text, const ExchangeSettings &settings);

ExportResult WriteXmeml(const ExportMemo &memo);
ImportedMemo ReadXmeml(const std::string &text, const ExchangeSettings &settings);

ExportResult WriteCsv(const ExportMemo &memo);
ImportedMemo ReadCsv(const std::string &text, const ExchangeSettings &settings);

ExportResult WriteFfmetadata(const ExportMemo &memo);
ImportedMemo ReadFfmetadata(const std::string &text, const ExchangeSettings &settings);

ExportResult WriteYoutubeChapters(const ExportMemo &memo);

#endif
