/* Resource identifiers of the stand-in viewer. Icon groups are numbered from 1 in the
   order of their icon index (ExtractIcon counts groups in identifier order). */
#ifndef LUMORA_VIEWER_RESOURCES_H
#define LUMORA_VIEWER_RESOURCES_H

#define IDI_VIEWER_APPLICATION 1  /* index 0 */
#define IDI_VIEWER_THUMBNAILS 8   /* index 7 */
#define IDI_VIEWER_AUDIO 12       /* index 11 */
#define IDI_VIEWER_VIDEO 13       /* index 12 */

#endif
