#include <id3/tag.h>
