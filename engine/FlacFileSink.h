#pragma once

#include "FlacCommentRewriter.h"

#include <FLAC/stream_encoder.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The file a FLAC encoder writes, opened under its wide name so that any folder
// or file name works, and fed through the encoder's stream callbacks. The
// encoder seeks back through them to complete STREAMINFO when it finishes; the
// VORBIS_COMMENT block is replaced on the way (FlacCommentRewriter).
//
// The file is written unbuffered: each of the encoder's writes (a metadata
// block or one whole audio frame) has reached the system when it succeeds. A
// write that fails (a full disk, a removed volume) is refused to the encoder,
// which then stops, and the file is cut back to the end of the last write that
// succeeded, so that it stays a readable FLAC stream of whole frames.
class FlacFileSink
{
public:
    FlacFileSink() = default;
    ~FlacFileSink();
    FlacFileSink(const FlacFileSink&) = delete;
    FlacFileSink& operator=(const FlacFileSink&) = delete;

    // Creates or truncates the file; false when it cannot be opened.
    bool Open(const std::wstring& path);
    // Initialises the encoder to write into the open file.
    FLAC__StreamEncoderInitStatus InitEncoder(FLAC__StreamEncoder* encoder);
    // Whether a write to the file has failed since it was opened.
    bool WriteFailed() const { return m_writeFailed; }
    // Closes the file; call after the encoder has finished.
    void Close();

private:
    static FLAC__StreamEncoderWriteStatus Write(const FLAC__StreamEncoder*, const FLAC__byte buffer[], size_t bytes,
                                                uint32_t samples, uint32_t currentFrame, void* sink);
    static FLAC__StreamEncoderSeekStatus Seek(const FLAC__StreamEncoder*, FLAC__uint64 offset, void* sink);
    static FLAC__StreamEncoderTellStatus Tell(const FLAC__StreamEncoder*, FLAC__uint64* offset, void* sink);

    bool WriteWhole(const unsigned char* data, size_t size);

    FILE* m_file = nullptr;
    // The end of the last write that reached the file whole.
    int64_t m_wholeLength = 0;
    bool m_writeFailed = false;
    FlacCommentRewriter m_rewriter;
    std::vector<unsigned char> m_rewritten;
};
