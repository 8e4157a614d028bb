/* liblh5: one-member LHA archives with the "-lh5-" method (level-1 header, empty file
 * name, CRC-16/ARC over the data). Link with `pkg-config --cflags --libs lh5`.
 *
 * The bounded calls (lh5_*) take the length of every buffer they are given, never
 * read or write outside those buffers, and say why they failed. Use them for data
 * that comes from outside. All calls may be made from several threads at once.
 *
 * The two older calls stay for the programs that already use them:
 *
 * F_COMPRESS_Data writes the archive for inputSize bytes at input to output and
 * returns its length, or -1 when the data cannot be compressed to fewer bytes than it
 * has. output must hold at least inputSize + 28 bytes.
 *
 * F_DECOMPRESS_Decode expands the first member of the archive at input into output and
 * returns the uncompressed size, or 0 when the member is unusable or its CRC does not
 * match (the decoded bytes are written in that case too). No length comes with the
 * call: input must hold the whole member its header describes, and output at least
 * the uncompressed size the header states. Never call it on untrusted data. */
#ifndef BRONDAVEL_LH5_H
#define BRONDAVEL_LH5_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define LH5_VERSION_MAJOR 1
#define LH5_VERSION_MINOR 1

typedef enum lh5_status {
    LH5_OK = 0,
    /* Decoding: not an archive member the codec reads (header, method, a member that
     * runs past input_size, or a bit stream that cannot be decoded). Nothing usable
     * is in output. */
    LH5_BAD_DATA = 1,
    /* The output capacity is too small. *output_size holds the capacity needed when
     * it is known (decoding: the member's uncompressed size), else 0. Nothing
     * usable is in output. */
    LH5_OUTPUT_TOO_SMALL = 2,
    /* Decoding: the data was expanded into output in full (*output_size bytes), but
     * its CRC differs from the one the header states. */
    LH5_CRC_MISMATCH = 3,
    /* Compressing: the data does not get smaller (small or random input), or, rarely,
     * work memory could not be had. */
    LH5_INCOMPRESSIBLE = 4,
    /* A null pointer with a nonzero length or capacity, a null output_size, or input
     * larger than the format's sizes allow (about 2 GiB). */
    LH5_BAD_ARGUMENT = 5
} lh5_status;

/* An output capacity that always holds the archive of input_size bytes: input_size +
 * 28, or 0 when that does not fit in size_t. */
size_t lh5_compress_bound(size_t input_size);

/* Compresses input_size bytes at input into an archive at output (capacity bytes).
 * On LH5_OK *output_size is the archive's length. */
lh5_status lh5_compress(const unsigned char* input, size_t input_size, unsigned char* output,
                        size_t output_capacity, size_t* output_size);

/* Expands the first member of the archive in input (input_size bytes) into output
 * (output_capacity bytes). On LH5_OK and LH5_CRC_MISMATCH *output_size is the number of
 * bytes written; on LH5_OUTPUT_TOO_SMALL it is the capacity needed. Members stored
 * with "-lh0-" and "-lh4-" are read too. */
lh5_status lh5_decompress(const unsigned char* input, size_t input_size, unsigned char* output,
                          size_t output_capacity, size_t* output_size);

/* A short English text for a status, never NULL. */
const char* lh5_status_text(lh5_status status);

int F_COMPRESS_Data(const unsigned char* input, unsigned char* output, int inputSize);
unsigned int F_DECOMPRESS_Decode(const unsigned char* input, unsigned char* output);

#ifdef __cplusplus
}
#endif

#endif /* BRONDAVEL_LH5_H */
