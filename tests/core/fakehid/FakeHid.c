/* A stand-in for the hidapi shared library with a fixed set of devices, built
   twice: complete, and with FAKEHID_PARTIAL without some of its functions. */
#include <hidapi/hidapi.h>
#include <stdlib.h>
#include <string.h>

#include "FakeHidState.h"

#define FAKEHID_EXPORT __attribute__((visibility("default")))

struct FakeDevice {
    const char* path;
    unsigned short vendor_id;
    unsigned short product_id;
    int usages;
};

/* A device of another maker, the module with two usages (listed twice under
   one path, as hidraw does), then a boot loader. */
static const struct FakeDevice devices[] = {
    {"fake/hidraw0", 0x046D, 0xC077, 1},
    {"fake/hidraw1", 0x04D8, 0x05F4, 2},
    {"fake/hidraw2", 0x04D8, 0x05F5, 1},
};
enum { device_count = sizeof devices / sizeof devices[0] };

struct hid_device_ {
    struct hid_device_info info;
};

static struct FakeHidState state;

FAKEHID_EXPORT struct FakeHidState* fakehid_state(void) {
    return &state;
}

FAKEHID_EXPORT int hid_init(void) {
    ++state.init_calls;
    return state.init_result;
}

FAKEHID_EXPORT int hid_exit(void) {
    ++state.exit_calls;
    return 0;
}

static char* copy_text(const char* text) {
    size_t size = strlen(text) + 1;
    char* copy = malloc(size);
    memcpy(copy, text, size);
    return copy;
}

FAKEHID_EXPORT struct hid_device_info* hid_enumerate(unsigned short vendor_id,
                                                     unsigned short product_id) {
    struct hid_device_info* first = NULL;
    struct hid_device_info** tail = &first;
    (void)vendor_id;
    (void)product_id;
    for (int d = 0; d < device_count; ++d) {
        for (int u = 0; u < devices[d].usages; ++u) {
            struct hid_device_info* info = calloc(1, sizeof *info);
            info->path = copy_text(devices[d].path);
            info->vendor_id = devices[d].vendor_id;
            info->product_id = devices[d].product_id;
            *tail = info;
            tail = &info->next;
        }
    }
    ++state.live_enumerations;
    return first;
}

#ifndef FAKEHID_PARTIAL
FAKEHID_EXPORT void hid_free_enumeration(struct hid_device_info* list) {
    while (list != NULL) {
        struct hid_device_info* next = list->next;
        free(list->path);
        free(list);
        list = next;
    }
    --state.live_enumerations;
}
#endif

FAKEHID_EXPORT hid_device* hid_open_path(const char* path) {
    for (int d = 0; d < device_count; ++d) {
        if (strcmp(path, devices[d].path) == 0) {
            hid_device* device = calloc(1, sizeof *device);
            device->info.vendor_id = devices[d].vendor_id;
            device->info.product_id = devices[d].product_id;
            ++state.open_devices;
            return device;
        }
    }
    return NULL;
}

FAKEHID_EXPORT void hid_close(hid_device* device) {
    free(device);
    --state.open_devices;
}

FAKEHID_EXPORT struct hid_device_info* hid_get_device_info(hid_device* device) {
    return state.device_info_fails ? NULL : &device->info;
}

FAKEHID_EXPORT int hid_write(hid_device* device, const unsigned char* data, size_t length) {
    (void)device;
    ++state.writes;
    state.written_length = length;
    memcpy(state.written, data, length < FAKEHID_WRITE_BYTES ? length : FAKEHID_WRITE_BYTES);
    return state.write_fails ? -1 : (int)length;
}

#ifndef FAKEHID_PARTIAL
FAKEHID_EXPORT int hid_read_timeout(hid_device* device, unsigned char* data, size_t length,
                                    int milliseconds) {
    const struct FakeHidRead* read;
    (void)device;
    state.read_buffer_length = length;
    state.read_milliseconds = milliseconds;
    if (state.reads_done >= state.read_count) {
        return 0;
    }
    read = &state.reads[state.reads_done++];
    if (read->result > 0) {
        size_t size = (size_t)read->result;
        size = size < length ? size : length;
        size = size < FAKEHID_REPORT_BYTES ? size : FAKEHID_REPORT_BYTES;
        memcpy(data, read->data, size);
    }
    return read->result;
}
#endif

#ifndef FAKEHID_PARTIAL
FAKEHID_EXPORT const wchar_t* hid_error(hid_device* device) {
    (void)device;
    return L"fake failure";
}
#endif
