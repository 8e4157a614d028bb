/* LH5 codec entry points exported by liblh5.so.
 *
 * F_COMPRESS_Data writes a one-member LHA archive ("-lh5-", level-1 header, empty file
 * name) to output and returns its length, or -1 when the data cannot be compressed to
 * fewer bytes than it has. output must hold at least inputSize + 28 bytes.
 *
 * F_DECOMPRESS_Decode expands the first member of the archive at input into output and
 * returns the uncompressed size, or 0 when the member is unusable or its CRC does not
 * match (the decoded bytes are written in that case too). The member header states how
 * many bytes are read; output must hold at least the uncompressed size it states.
 *
 * The calls are safe to make from several threads at once. */
#ifndef BRONDAVEL_LH5_H
#define BRONDAVEL_LH5_H

#ifdef __cplusplus
extern "C" {
#endif

int F_COMPRESS_Data(const unsigned char* input, unsigned char* output, int inputSize);
unsigned int F_DECOMPRESS_Decode(const unsigned char* input, unsigned char* output);

#ifdef __cplusplus
}
#endif

#endif /* BRONDAVEL_LH5_H */
