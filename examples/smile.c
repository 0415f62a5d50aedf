/* smile: chirpwell-smile's simplest use, through libchirpwell.

     smile [-f N] [--seed=S] FILE

   Smiles FILE with the built-in set at frequency N (default 2), seeded with S
   (default: the clock), and writes the result to standard output in FILE's own
   encoding: the bytes chirpwell-smile -f N --seed=S FILE writes.

     cc smile.c $(pkg-config --cflags --libs chirpwell) -o smile */

#include <errno.h>
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chirpwell/chirpwell.h>

/* Reads the whole file at path into a new buffer; NULL when it cannot. */
static char* read_file(const char* path, size_t* length)
{
    FILE* file = fopen(path, "rb");
    char* bytes = NULL;
    size_t size = 0;
    size_t room = 0;
    if (!file)
        return NULL;
    for (;;) {
        if (size == room) {
            char* grown = realloc(bytes, room = room ? 2 * room : 65536);
            if (!grown)
                break;
            bytes = grown;
        }
        size_t got = fread(bytes + size, 1, room - size, file);
        size += got;
        if (got == 0) {
            if (ferror(file))
                break;
            fclose(file);
            *length = size;
            return bytes;
        }
    }
    free(bytes);
    fclose(file);
    return NULL;
}

int main(int argc, char** argv)
{
    /* The library's messages follow the user's language, as the command's do. */
    setlocale(LC_ALL, "");
    const char* path = NULL;
    chirpwell_options* options = chirpwell_options_create();
    chirpwell_set* set = chirpwell_set_builtin();
    if (!options || !set)
        return 2;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "-f") == 0 && i + 1 < argc)
            chirpwell_options_set_frequency(options, atoi(argv[++i]));
        else if (strncmp(argv[i], "--seed=", 7) == 0)
            chirpwell_options_set_seed(options, (uint32_t)strtoul(argv[i] + 7, NULL, 10));
        else
            path = argv[i];
    }
    if (!path) {
        fprintf(stderr, "usage: smile [-f N] [--seed=S] FILE\n");
        return 2;
    }

    size_t length = 0;
    char* text = read_file(path, &length);
    if (!text) {
        fprintf(stderr, "smile: %s: %s\n", path, strerror(errno));
        return 2;
    }
    chirpwell_result* result = NULL;
    char* message = NULL;
    chirpwell_code code = chirpwell_smile(set, options, text, length, &result, &message);
    free(text);
    int status = 0;
    if (code == CHIRPWELL_OK) {
        size_t size = 0;
        const char* smiled = chirpwell_result_text(result, &size);
        if (fwrite(smiled, 1, size, stdout) != size || fflush(stdout) != 0)
            status = 2;
    } else if (code == CHIRPWELL_TOO_LONG) {
        fprintf(stderr, "smile: the smiled text would be longer than 524,287 bytes\n");
        status = 1;
    } else {
        fprintf(stderr, "smile: %s\n", message);
        status = 2;
    }
    chirpwell_free(message);
    chirpwell_result_destroy(result);
    chirpwell_set_destroy(set);
    chirpwell_options_destroy(options);
    return status;
}
