// How a capture's file is written: the BMP stream of today, PNG, JPEG.
// A writer is begun on a picture before or while its rows are read, told
// the rows as they are read (bottom-up), and finished once the picture is
// whole; the file then stands under "Snapshot<moment><extension>" in the
// save folder, under a name no earlier capture took.
#pragma once
#include <memory>
#include <string>

#include "capture/CaptureOptions.h"
#include "capture/win/CapturePicture.h"

// The file a capture went to: the name that was chosen, whether the whole
// file was written there, and what the info line adds when the file is not
// in the format asked for.
struct SnapshotFile {
  std::string path;
  bool written = false;
  std::string note;
};

class ISnapshotWriter {
 public:
  virtual ~ISnapshotWriter() = default;
  // Starts the file of picture, which must live until the writer ends;
  // false, and nothing started, when this writer cannot take it (the BMP
  // stream takes only pictures with file bytes of their own).
  virtual bool Begin(const CCapturePicture& picture) = 0;
  virtual bool started() const = 0;
  // The bottom rows of the picture, this many, are read.
  virtual void RowsRead(int rows) = 0;
  // Waits for the file; every row must have been reported read.
  virtual SnapshotFile Finish() = 0;
  // Ends a file whose rows will not all come; nothing is left behind, and
  // the writer may be begun again.
  virtual void Abandon() = 0;
};

// The writer of format into folder; quality is JPEG's, 1-100.
std::unique_ptr<ISnapshotWriter> MakeSnapshotWriter(CaptureFormat format, const std::string& folder,
                                                    int quality = 90);

// The info line's text for a JPEG written as BMP because the system's
// imaging component could not write it.
extern const char kJpegFallbackNote[];
extern const char kPngFallbackNote[];
