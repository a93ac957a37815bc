#pragma once
// USERS.DAT: 16-character records, the first holding the number of names, then the names.

// Fills UserNames (element 0 the count text, then the names); a missing, empty or unreadable
// file ends the program ("file"), leaving an empty file behind.
void LoadUsers();

// Writes UserNames, trusting the count in element 0; "Can't write" and false on failure.
bool SaveUsers();
