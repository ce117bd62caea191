/* The state of the stand-in hidapi library, shared with the tests that drive
   it through the exported fakehid_state(). Plain C, so that the library has
   no C++ runtime objects that would keep it loaded after dlclose. */
#ifndef CORSEL_FAKEHID_STATE_H
#define CORSEL_FAKEHID_STATE_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { FAKEHID_REPORT_BYTES = 64, FAKEHID_WRITE_BYTES = 128, FAKEHID_SCRIPT_LENGTH = 8 };

/* One answer of hid_read_timeout: result > 0 copies that many bytes of data,
   0 is a time-out, -1 a failure. */
struct FakeHidRead {
    int result;
    unsigned char data[FAKEHID_REPORT_BYTES];
};

struct FakeHidState {
    int init_result;
    int init_calls;
    int exit_calls;
    int open_devices;
    int live_enumerations;
    int device_info_fails;

    int write_fails;
    int writes;
    size_t written_length;
    unsigned char written[FAKEHID_WRITE_BYTES];

    /* Reads past the end of the script time out. */
    struct FakeHidRead reads[FAKEHID_SCRIPT_LENGTH];
    int read_count;
    int reads_done;
    size_t read_buffer_length;
    int read_milliseconds;
};

struct FakeHidState* fakehid_state(void);

#ifdef __cplusplus
}
#endif

#endif
