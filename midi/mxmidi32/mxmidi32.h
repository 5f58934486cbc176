#pragma once
/* MxMidi32: the MIDI-services library the tuner loads at run time by name
 * (libMxMidi32.so in the application folder). Plain C interface, undecorated
 * names.
 *
 * Output devices:
 *   MXMIDI_MAPPER (0xFFFF, i.e. -1 as 16 bits): the built-in General-MIDI
 *     software synthesizer, playing through the default audio output.
 *   0 .. GetNumOutDevices()-1: the writable ports of the ALSA sequencer, in
 *     the order the sequencer lists them.
 *
 * Every call returns at once; events are never queued for later. All calls
 * are safe from any one thread at a time per handle. */

#include <stdint.h>

#if defined(MXMIDI_BUILDING)
#define MXMIDI_EXPORT __attribute__((visibility("default")))
#else
#define MXMIDI_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One short MIDI message, 8 bytes. */
typedef struct MidiEvent {
    uint32_t time;   /* time stamp, ignored: events go out at once */
    uint8_t status;  /* status byte, 0x80..0xFF (no running status) */
    uint8_t data1;   /* first data byte, 0..127 */
    uint8_t data2;   /* second data byte, 0..127 (unused by 2-byte messages) */
    uint8_t spare;   /* 0 */
} MidiEvent;

/* An open output. Values of MXMIDI_FAILED_HANDLE_MAX or less mean "no
 * device": the open failed. */
typedef uintptr_t MxMidiHandle;
#define MXMIDI_FAILED_HANDLE_MAX 32u
#define MXMIDI_MAPPER 0xFFFFu

/* Result codes of the handle operations. */
#define MXMIDI_OK 0
#define MXMIDI_BAD_HANDLE 1  /* not an open output */
#define MXMIDI_BAD_EVENT 2   /* not a complete short message */
#define MXMIDI_DEVICE_ERROR 3

/* Version of this library, major in the high byte: 0x0200 is 2.0. */
MXMIDI_EXPORT uint32_t GetMaxMidiVersion(void);

/* Number of output devices besides the mapper (ALSA sequencer ports that
 * accept events); 0 when there is no sequencer. */
MXMIDI_EXPORT int GetNumOutDevices(void);

/* Opens output `device` (MXMIDI_MAPPER or 0..n-1). `window` and `sync` are
 * accepted for the caller's convenience and not used; `bufferSize` (bytes)
 * sizes the sequencer's output buffer. Returns a handle, or a value of
 * MXMIDI_FAILED_HANDLE_MAX or less when the device cannot be opened. Never
 * blocks for long and never aborts the process. */
MXMIDI_EXPORT MxMidiHandle OpenMidiOut(void* window, uint16_t device, MxMidiHandle sync, uint32_t bufferSize);

/* Sends one short message now. The event is copied; the caller may discard
 * it as soon as the call returns. */
MXMIDI_EXPORT int PutMidiOut(MxMidiHandle handle, const MidiEvent* event);

/* Stops every sounding note at once on all 16 channels, releases and all
 * (all notes off, then all sound off); programs, banks and controllers stay
 * as they were. */
MXMIDI_EXPORT int ResetMidiOut(MxMidiHandle handle);

/* Delivers anything still buffered towards the device. */
MXMIDI_EXPORT int FlushMidiOut(MxMidiHandle handle);

/* Closes the output; the handle is invalid afterwards. Closing a handle
 * that is not open gives MXMIDI_BAD_HANDLE and does nothing. */
MXMIDI_EXPORT int CloseMidiOut(MxMidiHandle handle);

/* ---- Offline rendering and inspection of the mapper (tests, tools) ----
 * With the environment variable MXMIDI_OFFLINE=1 set when the mapper is
 * opened, it starts no audio driver: its sound is produced only by
 * MxMidiRender, so a test can hear exactly what a user would. The calls
 * below act on the most recently opened mapper that is still open. */

/* Renders the next `frames` frames of the mapper into `left` and `right`
 * (floats, full scale +-1). Returns the frames rendered: 0 when no offline
 * mapper is open. */
MXMIDI_EXPORT int MxMidiRender(float* left, float* right, int frames);

/* The mapper's sound: sample rate (Hz), period size (frames per audio
 * write), periods (writes buffered ahead of the device), and the sound
 * font's path into `soundFont` (NUL-terminated, cut at `soundFontSize`).
 * Returns 1, or 0 when no mapper is open. Any pointer may be NULL. */
MXMIDI_EXPORT int MxMidiMapperSettings(int* sampleRate, int* periodSize, int* periods,
                         char* soundFont, int soundFontSize);

/* The program sounding on `channel` (0..15) of the mapper: bank, program
 * (0..127) and the preset's name from the sound font. Returns 1, or 0 when
 * no mapper is open or the channel has no preset. */
MXMIDI_EXPORT int MxMidiMapperProgram(int channel, int* bank, int* program, char* name, int nameSize);

#ifdef __cplusplus
}
#endif
