// Resource ids of obrunt (shared by the resource scripts and the form description).
#pragma once

#define IDI_BACKUP_REQUEST 101
#define IDI_BACKUP_SUCCESS 102
#define IDI_BACKUP_FAILED 103
