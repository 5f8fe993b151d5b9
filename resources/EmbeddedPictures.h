#pragma once

// Makes the editor's 18 pictures findable by resource number. On Linux they are compiled into the
// library and registered here; on Windows the module's own resources serve and this does nothing.
// The first call registers them; call it before the first picture is loaded.
void registerEmbeddedPictures();
