// The results of the C interface, and what is left: the version and freeing.

#include <cstdlib>

#include "engine/BuildFacts.h"
#include "lib/Handles.h"

const char* chirpwell_version(void)
{
    return kVersion;
}

void chirpwell_free(void* pointer)
{
    std::free(pointer);
}

chirpwell_code chirpwell_result_status(const chirpwell_result* result)
{
    return result ? result->m_eStatus : CHIRPWELL_ERROR_ARGUMENT;
}

const char* chirpwell_result_text(const chirpwell_result* result, size_t* length)
{
    if (!result) {
        if (length)
            *length = 0;
        return "";
    }
    if (length)
        *length = result->m_strText.size();
    return result->m_strText.c_str();
}

const char* chirpwell_result_input_encoding(const chirpwell_result* result)
{
    return result ? EncodingName(result->m_eInput) : "";
}

const char* chirpwell_result_output_encoding(const chirpwell_result* result)
{
    return result ? EncodingName(result->m_eOutput) : "";
}

size_t chirpwell_result_place_count(const chirpwell_result* result)
{
    return result ? result->m_places.size() : 0;
}

void chirpwell_result_place(const chirpwell_result* result, size_t index, size_t* position,
                            size_t* length)
{
    if (!result || index >= result->m_places.size())
        return;
    if (position)
        *position = result->m_places[index].m_nPosition;
    if (length)
        *length = result->m_places[index].m_nLength;
}

void chirpwell_result_destroy(chirpwell_result* result)
{
    delete result;
}
