// CAviWriter: one AVI file with one video stream (the AVI format's default
// video encoder, fed planar 4:2:0 pictures) and one WMA version 1 audio
// stream (fed 16-bit PCM), with a date line and a telemetry line burnt into
// every picture.
//
// Threads: one thread at a time (the export controller's caller). Ownership:
// the writer owns its FFmpeg objects, overlay and FIFO; the texts given to
// SetTexts stay the caller's and must live until the next WriteFrame has
// returned; pictures are the caller's and are drawn on in place.
//
// Pictures are planar 4:2:0 with even width and height: the luma plane, then
// the Cr plane, then the Cb plane (the decoder's order), pitch = width.
// Audio chunks are 16-bit signed PCM of the opened channel count.
#pragma once

#include <cstdint>
#include <string>

#include "export/avi/ColorConvert.h"
#include "export/avi/TextLayer.h"
#include "export/avi/TextOverlay.h"

struct AVAudioFifo;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

namespace oskulo {

class CAviWriter {
public:
    CAviWriter();
    ~CAviWriter();
    CAviWriter(const CAviWriter&) = delete;
    CAviWriter& operator=(const CAviWriter&) = delete;

    // Creates the file and writes its header. False when already open, for a
    // size, rate or channel count that is not positive (or an odd picture
    // size), or when a stream, encoder or the file cannot be made; a failed
    // Open leaves nothing open and no file behind. The sample width is not
    // used: the PCM handed in is always 16-bit.
    bool Open(const char* fileName, int width, int height, int fps, int sampleRate,
              int /*sampleBits*/, int channels);

    // Makes the overlay's font fit the widest line the texts can be, drawn
    // from x, into the picture's width (CTextOverlay::FitLine); the font
    // height it leaves is TextHeight.
    void FitTexts(const wchar_t* widestLine, int x) { m_overlay.FitLine(widestLine, x); }
    int TextHeight() const { return m_overlay.FontHeight(); }

    // Stores the two text pointers and positions; a null text gets (0, 0).
    void SetTexts(const wchar_t* timeText, int timeX, int timeY, const wchar_t* osdText, int osdX,
                  int osdY);

    // Writes one video frame with its audio chunk: 0 written, 1 failed. Once
    // a write to the file has failed, every later frame fails at once. An
    // audio chunk that is empty or not a whole number of samples is replaced
    // by one frame's share (1 / framesInGop seconds) of silence. The picture
    // (pictureSize bytes, width x height as opened) gets the texts drawn in.
    // gopVersion is accepted for the callers' sake; timing never depends on it.
    int WriteFrame(const void* audio, int audioLength, int framesInGop, uint8_t* picture,
                   int pictureSize, int width, int height, int gopVersion);

    // Flushes both encoders (audio short of a codec frame is padded with
    // silence), writes the trailer and closes the file. False when not open,
    // or when anything since Open (a frame, the trailer, the last bytes the
    // file's buffer held) did not reach the file: the file is not whole.
    bool Close();

    // Why the file is not whole, or why Open failed to create it: the
    // system's error number of the first write that failed (EIO when the
    // libraries gave none), 0 while every write succeeded.
    int Error() const { return m_error; }

private:
    bool OpenVideo(int width, int height, int fps);
    bool OpenAudio(int sampleRate, int channels);
    bool WriteAudio(const uint8_t* pcm, int bytes);
    bool AppendSilence(int samples);
    bool EncodeAudioFrames(bool final);
    bool EncodeVideo(uint8_t* picture, int width, int height);
    // Sends one frame (null = flush) and writes every packet that comes out.
    bool Drain(AVCodecContext* codec, AVStream* stream, const AVFrame* frame);
    void DrawTexts(uint8_t* picture);
    // Keeps the first failure's reason; false, for the callers' returns.
    bool Fail(int averror);
    void Release();
    // The codec writes its header once, into the file's header, when the
    // format asks for that.
    void SetGlobalHeader(AVCodecContext* codec) const;

    CColorConvert m_convert;
    CTextOverlay m_overlay;
    CTextLayer m_textLayer;
    const wchar_t* m_pTimeText = nullptr;
    int m_timeX = 0, m_timeY = 0;
    const wchar_t* m_pOsdText = nullptr;
    int m_osdX = 0, m_osdY = 0;

    bool m_bOpen = false;
    int m_error = 0;  // errno of the first write that failed
    AVFormatContext* m_pFormat = nullptr;
    AVStream* m_pVideoStream = nullptr;
    AVStream* m_pAudioStream = nullptr;
    AVCodecContext* m_pVideoCodec = nullptr;
    AVCodecContext* m_pAudioCodec = nullptr;
    AVFrame* m_pPicture = nullptr;  // reusable, points at the caller's planes
    AVFrame* m_pSamples = nullptr;  // one codec frame of planar float samples
    AVPacket* m_pPacket = nullptr;
    AVAudioFifo* m_pFifo = nullptr;
    int64_t m_videoPts = 0;  // in frames (1 / fps)
    int64_t m_audioPts = 0;  // in samples (1 / sampleRate)

    int m_width = 0, m_height = 0;
    int m_sampleRate = 0, m_channels = 0;
};

}  // namespace oskulo
