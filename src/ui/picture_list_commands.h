// The commands that fill and trim the picture list and choose the save folder.
#pragma once

void AddPicture();
void ImportFolder();
void RemovePicture();
void ClearPictures();
void ChooseSaveFolder();
